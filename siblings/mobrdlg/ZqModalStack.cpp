#include "mobrdlg/ZqModalStack.h"

#include <algorithm>

#include "mobrdlg/ZqDialog.h"

namespace {

struct State {
    std::vector<CZqDialog*> dialogs;
    std::exception_ptr pending;
};

State& state()
{
    static State s;
    return s;
}

}  // namespace

void CZqModalStack::push(CZqDialog* dialog)
{
    state().dialogs.push_back(dialog);
}

void CZqModalStack::pop(CZqDialog* dialog)
{
    auto& list = state().dialogs;
    auto it = std::find(list.rbegin(), list.rend(), dialog);
    if (it != list.rend()) list.erase(std::next(it).base());
}

const std::vector<CZqDialog*>& CZqModalStack::dialogs()
{
    return state().dialogs;
}

CZqDialog* CZqModalStack::top()
{
    auto& list = state().dialogs;
    return list.empty() ? nullptr : list.back();
}

void CZqModalStack::abort(std::exception_ptr error)
{
    State& s = state();
    if (!s.pending) s.pending = error;
    // Copy: ending a dialog may run code that touches the stack.
    const std::vector<CZqDialog*> running = s.dialogs;
    for (auto it = running.rbegin(); it != running.rend(); ++it) (*it)->EndDialog(-1);
}

bool CZqModalStack::hasPending()
{
    return bool(state().pending);
}

std::exception_ptr CZqModalStack::takePending()
{
    std::exception_ptr error = state().pending;
    state().pending = nullptr;
    return error;
}
