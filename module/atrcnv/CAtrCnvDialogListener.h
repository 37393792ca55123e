#pragma once

// The conversion's listener inside the sheet: messages and warnings go to the
// dialog library's message boxes (so the UI driver answers them in scripted
// runs); a page that shows a target list hooks targetsChanged.

#include <functional>

#include "atrcnv/AtrCnvTypes.h"

class QWidget;

class CAtrCnvDialogListener : public atrcnv::Listener {
public:
    // `owner` (may be null) owns the message boxes and warnings.
    explicit CAtrCnvDialogListener(QWidget* owner = nullptr) : owner_(owner) {}

    void setOwner(QWidget* owner) { owner_ = owner; }
    // Called with the kind whose target list changed as a whole.
    void setTargetsChangedHandler(std::function<void(atrcnv::Kind)> handler)
    {
        targetsChanged_ = std::move(handler);
    }

    int message(int messageId, unsigned flags) override;
    void warning(int messageId) override;
    void targetsChanged(atrcnv::Kind kind) override;
    void note(const std::string& text) override;

private:
    QWidget* owner_;
    std::function<void(atrcnv::Kind)> targetsChanged_;
};
