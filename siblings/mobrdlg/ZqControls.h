#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "mobr/export.h"

class CZqWindow;

// The wiring between the controls of one dialog or page and its handler
// hooks: finds the controls by their objectName "c<id>", watches their key
// and focus events and connects their signals, once. Every call into a
// handler goes through CZqModalStack's guard.
class MOBR_API CZqControls : public QObject {
    Q_OBJECT
public:
    CZqControls(CZqWindow& window, QWidget* root);
    ~CZqControls() override;

    QWidget* control(int id) const;
    // The id of `widget` or of the nearest ancestor with an id that belongs
    // to this window; 0 when there is none.
    int idOf(const QWidget* widget) const;
    std::vector<int> ids() const;
    CZqWindow& window() const { return window_; }
    QWidget* root() const { return root_; }

    // A key filter that runs before the control's OnKeyDown (a property
    // sheet switches pages with Ctrl+Tab there). Returns true to swallow.
    using KeyPreview = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    void setKeyPreview(KeyPreview preview) { keyPreview_ = std::move(preview); }

    // Dispatches one user action to the handlers (guarded).
    bool dispatchCommand(int id);
    void dispatchEditChange(int id);
    void dispatchSelChange(int id);
    void dispatchDblClk(int id);
    bool dispatchKeyDown(int id, int key, Qt::KeyboardModifiers modifiers);
    bool dispatchNotify(int id, int code, long long param);
    void dispatchHelp();

    // While alive, focus losses are not reported to any OnKillFocus (the
    // focus moves that a handler or a page switch makes itself).
    class FocusSilencer {
    public:
        FocusSilencer();
        ~FocusSilencer();
        FocusSilencer(const FocusSilencer&) = delete;
        FocusSilencer& operator=(const FocusSilencer&) = delete;
    };
    static bool focusSilenced();

    // The wiring that owns `widget` (the nearest ancestor's), or null.
    static CZqControls* of(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire(int id, QWidget* widget);
    void watch(QWidget* widget, int id);
    void handleFocusOut(int id, QWidget* control);

    CZqWindow& window_;
    QPointer<QWidget> root_;
    std::map<int, QPointer<QWidget>> controls_;
    std::map<QObject*, int> watched_;
    KeyPreview keyPreview_;
};

// For controls of the controls library: reports notification `code` of
// `control` to the OnNotify handler of the dialog or page that holds it, as a
// user action. Returns the handler's result (false when no window holds it).
MOBR_API bool ZqNotifyControl(QWidget* control, int code, long long param = 0);
