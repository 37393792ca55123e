#include "attributes/CPenPreviewWnd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqSamplePainter.h"
#include "mobrdlg/ZqResources.h"

namespace {

constexpr int kNoColourName = 7009;
constexpr int kPitchValues = 10;
// The sample magnifies the pitch so that short dashes stay visible.
constexpr int kSampleDotsPerUnit = 3;

}  // namespace

CPenPreviewWnd::CPenPreviewWnd(const Copies& copies) : CZqDialog(nullptr), copies_(copies) {}

CPenPreviewWnd::~CPenPreviewWnd() = default;

bool CPenPreviewWnd::open(QWidget* owner, const QRect& beside)
{
    if (!Create("IDD_S_014", owner)) return false;
    // A tool window of the sheet: it stays above it and is not blocked by
    // the sheet's modality.
    // The person keeps working in the page: the window takes neither the
    // focus nor the activation from the sheet (its box is clicked, never typed into).
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    adjustSize();
    placeBeside(beside);
    show();
    return true;
}

void CPenPreviewWnd::changeEvent(QEvent* event)
{
    CZqDialog::changeEvent(event);
    // Some platforms activate every window they show, and the activation
    // arrives after show() returned: give it back as soon as it comes.
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) owner->activateWindow();
}

void CPenPreviewWnd::placeBeside(const QRect& beside)
{
    QRect screen(0, 0, 1920, 1080);
    const QScreen* where = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (where) screen = where->availableGeometry();
    move(keepOnScreen(QPoint(beside.right() + 1, beside.top()), frameGeometry().size(), screen));
}

QPoint CPenPreviewWnd::keepOnScreen(const QPoint& wanted, const QSize& size, const QRect& screen)
{
    QPoint at = wanted;
    if (at.x() + size.width() > screen.right() + 1) at.setX(screen.right() + 1 - size.width());
    if (at.y() + size.height() > screen.bottom() + 1) at.setY(screen.bottom() + 1 - size.height());
    at.setX(std::max(at.x(), screen.left()));
    at.setY(std::max(at.y(), screen.top()));
    return at;
}

bool CPenPreviewWnd::OnInitDialog()
{
    showPen(pen_);
    return true;
}

void CPenPreviewWnd::showPen(int pen)
{
    pen_ = pen;
    widthDots_ = 0;
    pitch_.clear();
    if (pen_ <= 0 || !copies_.pens) {
        SetDlgItemText(kNameText, "");
        SetDlgItemText(kWidthText, "");
        SetDlgItemText(kPitchText, "");
        SetDlgItemText(kColourText, "");
        if (auto* sample = item<QLabel>(kSample)) sample->setPixmap(QPixmap());
        return;
    }

    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatPenGetName(copies_.pens, pen_, name);
    SetDlgItemText(kNameText, name);

    const int width = hostapi::aatPenGetWidth(copies_.pens, pen_);
    const double millimetres = copies_.widths && width > 0 ? hostapi::aatWidGetWidth(copies_.widths, width) : 0.0;
    widthDots_ = std::max(1, hostapi::aatDrwGetWidthCount(static_cast<int>(std::lround(millimetres * 100.0))));
    SetDlgItemText(kWidthText, std::to_string(widthDots_));

    double values[kPitchValues] = {};
    const int count = std::clamp(hostapi::aatPenGetPitch(copies_.pens, pen_, values, kPitchValues), 0, kPitchValues);
    std::string pairs;
    for (int i = 0; i + 1 < count; i += 2) {
        const int dash = std::max(1, static_cast<int>(std::lround(values[i])));
        const int gap = std::max(1, static_cast<int>(std::lround(values[i + 1])));
        pitch_.push_back(dash);
        pitch_.push_back(gap);
        if (!pairs.empty()) pairs += "  ";
        pairs += "(" + std::to_string(dash) + ", " + std::to_string(gap) + ")";
    }
    SetDlgItemText(kPitchText, pairs.empty() ? "-" : pairs);

    QColor colour(Qt::black);
    const int colourNumber =
        copies_.penColours ? hostapi::aatPenExGetColor(copies_.penColours, copies_.pens, pen_) : 0;
    std::string colourName = GetString(kNoColourName);
    if (colourNumber > 0 && copies_.colours) {
        char text[mobr::kHostNameBufferBytes] = {};
        hostapi::aatColGetName(copies_.colours, colourNumber, text);
        colourName = text;
        int red = 0, green = 0, blue = 0;
        if (hostapi::aatColGetRGB(copies_.colours, colourNumber, &red, &green, &blue) == 0) {
            colour = QColor(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
        }
    }
    SetDlgItemText(kColourText, colourName);
    drawSample(colour);
}

void CPenPreviewWnd::drawSample(const QColor& colour)
{
    auto* sample = item<QLabel>(kSample);
    if (!sample) return;
    const QSize size = sample->contentsRect().size().expandedTo(QSize(200, 30));
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    std::vector<double> pitch;
    for (int dots : pitch_) pitch.push_back(double(dots * kSampleDotsPerUnit));
    ZqSamplePainter::drawLineSample(painter, QRect(QPoint(8, 0), QSize(size.width() - 16, size.height())),
                                    widthDots_, pitch, colour);
    painter.end();
    sample->setPixmap(picture);
}

bool CPenPreviewWnd::isCloseTicked() const
{
    return IsDlgButtonChecked(kCloseBox);
}

void CPenPreviewWnd::setCloseTicked(bool ticked)
{
    CheckDlgButton(kCloseBox, ticked);
}

void CPenPreviewWnd::OnCancel()
{
    closeItself();
}

void CPenPreviewWnd::OnOK()
{
    closeItself();
}

void CPenPreviewWnd::closeItself()
{
    EndDialog(ZQ_RESULT_CANCEL);
    hide();
    // The handler may destroy this window later; it is called last.
    if (auto handler = std::exchange(closed_, nullptr)) handler();
}
