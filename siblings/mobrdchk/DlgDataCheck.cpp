#include "mobrdchk/DlgDataCheck.h"

#include <charconv>
#include <cmath>
#include <limits>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "mobrdchk/CheckMessages.h"
#include "mobrdchk/NumberText.h"
#include "mobrdlg/ZqMessageBox.h"

namespace {

// Range ends are shown with enough digits to tell them apart from a close
// typed value, without the noise of binary fractions.
constexpr int kRangeDigits = 15;

std::string rangeText(const std::string& low, const std::string& high) {
    return dchkmsg::expand(dchkmsg::expand(dchkmsg::text(dchkmsg::RangeEnds), low), high);
}

}  // namespace

CDlgDataCheck::CDlgDataCheck() { dchkmsg::registerBuiltins(); }

CDlgDataCheck::~CDlgDataCheck() = default;

void CDlgDataCheck::SetMsgBox(int on) { msgBox_ = on ? 1 : 0; }

void CDlgDataCheck::succeed() {
    lastErrMsg_.clear();
    lastErrId_ = 0;
}

int CDlgDataCheck::fail(int messageId, const std::string& argument) {
    lastErrId_ = messageId;
    lastErrMsg_ = dchkmsg::expand(dchkmsg::text(messageId), argument);
    if (msgBox_) DataCheckMsgBox(lastErrMsg_);
    return 0;
}

int CDlgDataCheck::StringCheck(const std::string& text, int digits, double* value) {
    const numtext::Parsed p = numtext::parse(text);
    if (!p.ok) return fail(dchkmsg::NotNumber, std::string());
    if (digits == 0 && p.decimals > 0) return fail(dchkmsg::NotWhole, std::string());
    if (digits > 0 && p.decimals > digits) return fail(dchkmsg::TooManyDecimals, std::to_string(digits));
    double parsed = 0.0;
    const char* first = p.number.data();
    const char* last = first + p.number.size();
    const auto res = std::from_chars(first, last, parsed, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range || !std::isfinite(parsed)) {
        // Out of range is either an overflow (too many whole digits for a
        // double) or an underflow, which is as good as 0.
        if (p.intDigits > 300) return fail(dchkmsg::TooLarge, std::string());
        parsed = 0.0;
    } else if (res.ec != std::errc() || res.ptr != last) {
        return fail(dchkmsg::NotNumber, std::string());
    }
    if (parsed == 0.0) parsed = 0.0;  // "-0" is 0
    succeed();
    if (value) *value = parsed;
    return 1;
}

int CDlgDataCheck::StringCheck(const std::string& text, int digits, int* value) {
    const numtext::Parsed p = numtext::parse(text);
    if (!p.ok) return fail(dchkmsg::NotNumber, std::string());
    if (p.hasPoint) return fail(dchkmsg::NotWhole, std::string());
    const std::size_t firstDigit = p.number[0] == '-' ? 1 : 0;
    std::size_t significantAt = p.number.find_first_not_of('0', firstDigit);
    if (significantAt == std::string::npos) significantAt = p.number.size();
    const int count = static_cast<int>(p.number.size() - significantAt);
    if (digits > 0 && count > digits) return fail(dchkmsg::TooManyDigits, std::to_string(digits));
    long long wide = 0;
    const char* first = p.number.data();
    const char* last = first + p.number.size();
    const auto res = std::from_chars(first, last, wide);
    if (res.ec != std::errc() || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return fail(dchkmsg::TooLarge, std::string());
    succeed();
    if (value) *value = static_cast<int>(wide);
    return 1;
}

int CDlgDataCheck::CheckData(double value, double minimum, double maximum) {
    if (!std::isnan(value) && !std::isnan(minimum) && !std::isnan(maximum) && minimum <= value &&
        value <= maximum) {
        succeed();
        return 1;
    }
    return fail(dchkmsg::OutOfRange, rangeText(numtext::significant(minimum, kRangeDigits),
                                               numtext::significant(maximum, kRangeDigits)));
}

int CDlgDataCheck::CheckData(int value, int minimum, int maximum) {
    if (minimum <= value && value <= maximum) {
        succeed();
        return 1;
    }
    return fail(dchkmsg::OutOfRange, rangeText(std::to_string(minimum), std::to_string(maximum)));
}

int CDlgDataCheck::DataCheckMsgBoxEx(const std::string& text, QWidget* field) {
    QWidget* owner = field ? field->window() : nullptr;
    if (!owner) owner = msgOwner_.data();
    if (!owner) owner = QApplication::activeWindow();
    constexpr unsigned flags = ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION;
    // The failure's id goes along so that a scripted run records which
    // message was shown.
    const int id = (lastErrId_ != 0 && text == lastErrMsg_) ? lastErrId_ : 0;
    return ZqDlgTextBox(owner, flags, text, id);
}

int CDlgDataCheck::DataCheckMsgBox(const std::string& text) { return DataCheckMsgBoxEx(text, nullptr); }

int CDlgDataCheck::DbltoStr(double value, int digits, std::string& text) {
    text = numtext::significant(value, digits);
    return static_cast<int>(text.size());
}

std::string& CDlgDataCheck::SpaceCut(std::string& text) {
    std::size_t begin = text.size(), end = 0, i = 0;
    while (i < text.size()) {
        std::size_t len = 0;
        if (numtext::blankAt(text, i, len)) {
            i += len;
            continue;
        }
        len = numtext::charLength(text, i);
        if (begin == text.size()) begin = i;
        i += len;
        end = i;
    }
    if (begin == text.size()) {
        text.clear();
    } else {
        text = text.substr(begin, end - begin);
    }
    return text;
}

bool CDlgDataCheck::IsAllSpace(const std::string& text) {
    std::string copy = text;
    return SpaceCut(copy).empty();
}

void CDlgDataCheck::focusField(QWidget* field) {
    if (!field) return;
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (!edit) {
        if (auto* combo = qobject_cast<QComboBox*>(field)) edit = combo->lineEdit();
    }
    field->setFocus(Qt::OtherFocusReason);
    if (edit) edit->selectAll();
}
