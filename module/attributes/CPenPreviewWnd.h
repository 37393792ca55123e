#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QPoint>
#include <QRect>

#include "mobrdlg/ZqDialog.h"

// The line type page's preview window ("IDD_S_014"): a small modeless,
// top-most window beside the page that shows one pen of the edit copies with
// its width in screen dots, its pitch pairs rounded to whole numbers and its
// colour name. Its check box asks the page to close it when another pen is
// chosen (and not to reopen it when the page is shown again). When the
// window closes itself (Close, Escape, the title bar) it calls the closed
// handler; the page then forgets it.
class CPenPreviewWnd : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int {
        kCloseBox = 1101,   // ticked: close on the next selection change
        kNameText = 1701,
        kSample = 1702,     // the line drawn in its width, pitch and colour
        kWidthText = 1703,  // width in dots
        kPitchText = 1704,  // rounded pitch pairs
        kColourText = 1705,
    };

    // The edit copies the window reads (host handles).
    struct Copies {
        void* pens = nullptr;
        void* widths = nullptr;
        void* colours = nullptr;
        void* penColours = nullptr;
    };

    explicit CPenPreviewWnd(const Copies& copies);
    ~CPenPreviewWnd() override;

    // Creates and shows the window as a top-most child window of `owner`,
    // placed to the right of `beside` (screen coordinates) and kept on the
    // screen; false when the layout could not be loaded.
    bool open(QWidget* owner, const QRect& beside);
    // Moves the window to the right of `beside`, kept on the screen.
    void placeBeside(const QRect& beside);
    // Shows pen `pen` (0: nothing).
    void showPen(int pen);
    int pen() const { return pen_; }
    bool isCloseTicked() const;
    void setCloseTicked(bool ticked);
    // Called once when the window closes itself (not when it is destroyed).
    void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

    // The shown values, as the window puts them on screen.
    int widthDots() const { return widthDots_; }
    const std::vector<int>& pitchDots() const { return pitch_; }

    // Top-left corner for a window of `size` wanted at `wanted`, moved left
    // or up (never past the screen's left or top edge) so that it stays on
    // `screen`.
    static QPoint keepOnScreen(const QPoint& wanted, const QSize& size, const QRect& screen);

protected:
    // Hands the activation straight back to the sheet.
    void changeEvent(QEvent* event) override;
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override;

private:
    void closeItself();
    void drawSample(const QColor& colour);

    Copies copies_;
    int pen_ = 0;
    int widthDots_ = 0;
    std::vector<int> pitch_;
    std::function<void()> closed_;
};
