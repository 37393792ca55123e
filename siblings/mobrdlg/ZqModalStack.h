#pragma once

#include <exception>
#include <vector>

#include "mobr/export.h"

class CZqDialog;

// The modal dialogs running right now, innermost last, and the exception a
// handler let escape. Qt's event loop must never see a C++ exception: every
// dispatch into a handler runs through guarded(), which catches it, ends the
// running modal dialogs with -1 and keeps it for DoModal to rethrow once its
// loop has ended.
class MOBR_API CZqModalStack {
public:
    static void push(CZqDialog* dialog);
    static void pop(CZqDialog* dialog);
    static const std::vector<CZqDialog*>& dialogs();
    static CZqDialog* top();

    // Remembers `error` (the first one wins until taken) and ends every
    // running modal dialog with -1.
    static void abort(std::exception_ptr error);
    static bool hasPending();
    // The remembered exception (null when none), forgotten afterwards.
    static std::exception_ptr takePending();

    template <class R, class F>
    static R guarded(R onError, F&& call)
    {
        try {
            return call();
        } catch (...) {
            abort(std::current_exception());
            return onError;
        }
    }
    template <class F>
    static void guardedVoid(F&& call)
    {
        try {
            call();
        } catch (...) {
            abort(std::current_exception());
        }
    }
};

// Pops `dialog` from the stack when the scope ends, also by an exception.
class CZqModalScope {
public:
    explicit CZqModalScope(CZqDialog* dialog) : dialog_(dialog) { CZqModalStack::push(dialog); }
    ~CZqModalScope() { CZqModalStack::pop(dialog_); }
    CZqModalScope(const CZqModalScope&) = delete;
    CZqModalScope& operator=(const CZqModalScope&) = delete;

private:
    CZqDialog* dialog_;
};
