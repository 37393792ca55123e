#include "mobrcctl/ZqSpinButtons.h"

#include <cmath>

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QWheelEvent>

#include "mobrdchk/NumberText.h"

namespace {
constexpr int kButtonWidth = 16;

// Reads a plain number the way the checks accept it; false otherwise.
bool readNumber(const QString& text, double& value) {
    bool ok = false;
    const QString t = text.trimmed();
    if (t.contains(QLatin1Char('e'), Qt::CaseInsensitive)) return false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}
}  // namespace

ZqSpinButtons* ZqSpinButtons::of(QLineEdit* edit) {
    if (!edit) return nullptr;
    if (auto* existing = edit->findChild<ZqSpinButtons*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new ZqSpinButtons(edit);  // owned by the edit
}

ZqSpinButtons::ZqSpinButtons(QLineEdit* edit)
    : QObject(edit), edit_(edit), up_(new QToolButton(edit)), down_(new QToolButton(edit)) {
    for (QToolButton* b : {up_, down_}) {
        b->setArrowType(b == up_ ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::ArrowCursor);
        b->setAutoRaise(false);
        b->setIconSize(QSize(7, 7));
        b->setStyleSheet(QStringLiteral("QToolButton { border: 1px solid palette(mid); padding: 0px; }"));
        b->show();
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    edit->setTextMargins(0, 0, kButtonWidth, 0);
    edit->installEventFilter(this);
    placeButtons();
}

void ZqSpinButtons::placeButtons() {
    const QRect r = edit_->rect();
    const int h = r.height();
    const int top = h / 2;
    up_->setGeometry(r.width() - kButtonWidth - 1, 1, kButtonWidth, top - 1);
    down_->setGeometry(r.width() - kButtonWidth - 1, top, kButtonWidth, h - top - 1);
}

void ZqSpinButtons::setRange(double minimum, double maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
}

double ZqSpinButtons::value() const {
    double v = last_;
    readNumber(edit_->text(), v);
    return v;
}

QString ZqSpinButtons::format(double value) const {
    if (format_.isEmpty())
        return QString::fromStdString(numtext::fixed(value, decimals_));
    // One conversion: '%' [.precision] ['l'] ('d'|'i'|'f'|'g'); "%%" is a '%'.
    QString out;
    bool done = false;
    for (int i = 0; i < format_.size(); ++i) {
        const QChar c = format_.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < format_.size() && format_.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        int j = i + 1;
        int precision = -1;
        if (j < format_.size() && format_.at(j) == QLatin1Char('.')) {
            precision = 0;
            for (++j; j < format_.size() && format_.at(j).isDigit(); ++j)
                precision = precision * 10 + format_.at(j).digitValue();
        }
        while (j < format_.size() && format_.at(j) == QLatin1Char('l')) ++j;
        const QChar conv = j < format_.size() ? format_.at(j) : QChar();
        if (done || conv.isNull()) {
            out += format_.mid(i, j - i + 1);
            i = j;
            continue;
        }
        if (conv == QLatin1Char('d') || conv == QLatin1Char('i')) {
            out += QString::number(static_cast<long long>(std::trunc(value)));
        } else if (conv == QLatin1Char('g')) {
            out += QLocale::c().toString(value, 'g', precision < 0 ? 6 : precision);
        } else {
            out += QString::fromStdString(numtext::fixed(value, precision < 0 ? 6 : precision));
        }
        done = true;
        i = j;
    }
    return out;
}

void ZqSpinButtons::setValue(double value) {
    if (value < minimum_) value = minimum_;
    if (value > maximum_) value = maximum_;
    last_ = value;
    edit_->setText(format(value));
}

void ZqSpinButtons::stepBy(int steps) {
    if (!edit_->isEnabled() || edit_->isReadOnly() || steps == 0) return;
    double v = value() + steps * step_;
    // Steps of 0.1 add up binary noise; keep the value on the step grid of
    // the display decimals.
    const double scale = std::pow(10.0, std::min(decimals_ + 6, 12));
    v = std::round(v * scale) / scale;
    if (v > maximum_) v = wrap_ ? minimum_ : maximum_;
    if (v < minimum_) v = wrap_ ? maximum_ : minimum_;
    last_ = v;
    const QString text = format(v);
    if (text == edit_->text()) return;
    edit_->setText(text);
    edit_->selectAll();
    emit edit_->textEdited(text);
    emit stepped(v);
}

bool ZqSpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
        placeButtons();
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (arrowKeys_ && key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        break;
    }
    case QEvent::Wheel:
        if (edit_->hasFocus()) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) stepBy(delta > 0 ? 1 : -1);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
