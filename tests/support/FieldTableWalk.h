#pragma once

// Walks a page's or dialog's field table for its table-driven test: for
// every field the user edits, a value inside its range that must come back
// from the page, each end of the range (accepted), and a value just beyond
// each end that the page must refuse (a settling field takes the nearer end
// instead). A field declared in the table but wired to a control that does
// not take the value, or read back from another field, fails its case.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "mobrdlg/ZqField.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqUiScript.h"
#include "mobrdlg/ZqUiTranscript.h"

namespace fieldwalk {

struct Case {
    std::string label;
    const ZqField* field = nullptr;
    ZqUiAction action;
    bool refused = false;
    double expected = 0.0;  // the field's value after OK when not refused
};

inline std::string numberText(const ZqField& field, double value)
{
    char text[64];
    if (field.kind == ZqFieldKind::Integer) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    } else {
        std::snprintf(text, sizeof text, "%.*f", field.decimals >= 0 ? field.decimals : 2, value);
    }
    return text;
}

inline ZqUiAction typeAction(const ZqField& field, const std::string& text)
{
    ZqUiAction action;
    action.kind = ZqUiAction::Kind::Type;
    action.id = field.control;
    action.text = text;
    return action;
}

// The smallest step a typed value of the field can take.
inline double unitOf(const ZqField& field)
{
    if (field.kind == ZqFieldKind::Integer) return 1.0;
    return std::pow(10.0, -(field.decimals >= 0 ? field.decimals : 2));
}

inline void addNumberCases(const ZqField& field, std::vector<Case>& cases)
{
    const std::string name = "control " + std::to_string(field.control);
    const double unit = unitOf(field);
    // Inside, away from the initial value so that a field that was not
    // written cannot pass.
    double inside = field.minimum + (field.maximum - field.minimum) / 3.0;
    inside = std::round(inside / unit) * unit;
    if (inside == field.initial) inside += unit;
    auto accepted = [&](const std::string& what, double value) {
        cases.push_back({name + " " + what, &field, typeAction(field, numberText(field, value)), false, value});
    };
    auto beyond = [&](const std::string& what, double value, double nearestEnd) {
        Case c{name + " " + what, &field, typeAction(field, numberText(field, value)), !field.settle, nearestEnd};
        cases.push_back(c);
    };
    accepted("inside", inside);
    accepted("at its minimum", field.minimum);
    accepted("at its maximum", field.maximum);
    // A minus sign can be typed only into a field whose range goes below 0.
    if (field.minimum - unit >= 0.0 || field.minimum < 0.0) beyond("below its minimum", field.minimum - unit, field.minimum);
    beyond("above its maximum", field.maximum + unit, field.maximum);
}

inline void addChoiceCases(const ZqField& field, std::vector<Case>& cases)
{
    const int count = static_cast<int>(field.maximum) + 1;
    for (int i = count - 1; i >= 0; --i) {
        ZqUiAction action;
        action.id = field.control;
        if (field.kind == ZqFieldKind::Radio) {
            action.kind = ZqUiAction::Kind::Click;
            action.id = field.control + i;
        } else if (field.kind == ZqFieldKind::Check) {
            action.kind = ZqUiAction::Kind::Check;
            action.number = i;
        } else {
            action.kind = ZqUiAction::Kind::Select;
            action.number = i;
        }
        cases.push_back({"control " + std::to_string(field.control) + " choice " + std::to_string(i), &field, action,
                         false, static_cast<double>(i)});
    }
}

// Every case of every field the user edits, in declaration order.
inline std::vector<Case> cases(const std::vector<ZqField>& table)
{
    std::vector<Case> all;
    for (const ZqField& field : table) {
        if (!field.isEdited()) continue;
        if (field.isNumber()) {
            addNumberCases(field, all);
        } else if (field.kind != ZqFieldKind::Text) {
            addChoiceCases(field, all);
        }
    }
    return all;
}

// The person's side of a case: `prefix` (what the dialog needs first), the
// case's action, OK; a refused value's field is read ("refused field"), then
// the dialog is cancelled.
inline ZqUiScript scriptFor(const Case& c, ZqUiScript prefix = {})
{
    prefix.add(c.action).ok();
    if (c.refused) prefix.read(c.field->control, "refused field").cancel();
    return prefix;
}

// What a case must end with: refused, its message (the field's own when the
// table names one) and the focus back on the field; else OK and `value()`,
// the page's own reading of the field, equal to what was typed or chosen.
inline void expectOutcome(const Case& c, int result, const ZqUiTranscript& transcript,
                          const std::function<double()>& value)
{
    SCOPED_TRACE(c.label);
    if (c.refused) {
        EXPECT_EQ(result, 2);
        ASSERT_EQ(transcript.messages().size(), 1u);
        if (c.field->message != 0) {
            EXPECT_EQ(transcript.messages()[0].messageId, c.field->message);
        }
        ASSERT_NE(transcript.read("refused field"), nullptr);
        EXPECT_TRUE(transcript.read("refused field")->state.focused) << "the focus goes back to the refused field";
        return;
    }
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(transcript.messages().empty());
    EXPECT_NEAR(value(), c.expected, 1e-9 * std::max(1.0, std::fabs(c.expected)));
}

// A value the data link hands in for `field`, through the operation of its kind.
inline int handIn(CZqDataLink& link, const ZqField& field, double value)
{
    return field.kind == ZqFieldKind::Real ? link.SetPageDouble(field.item, value)
                                           : link.SetPageInt(field.item, static_cast<int>(value));
}

inline double readBack(CZqDataLink& link, const ZqField& field)
{
    if (field.kind == ZqFieldKind::Real) {
        double value = -1e300;
        EXPECT_EQ(link.GetPageDouble(field.item, &value), 1) << "item " << field.item;
        return value;
    }
    int value = -999999;
    EXPECT_EQ(link.GetPageInt(field.item, &value), 1) << "item " << field.item;
    return value;
}

// Every item of the table goes in and comes back through the data link at
// both ends of its range; a value beyond an end is refused (the item keeps
// its value) or brought to that end, as the field's receipt rule says.
inline void expectItemsRoundTrip(CZqDataLink& link, const std::vector<ZqField>& table)
{
    for (const ZqField& field : table) {
        if (field.item == 0 || field.kind == ZqFieldKind::Text) continue;
        SCOPED_TRACE("item " + std::to_string(field.item));
        const double unit = field.kind == ZqFieldKind::Real ? std::max(1.0, field.maximum * 1e-6) : 1.0;
        for (const double end : {field.minimum, field.maximum}) {
            EXPECT_EQ(handIn(link, field, end), 1);
            EXPECT_DOUBLE_EQ(readBack(link, field), end);
            const double outside = end == field.minimum ? end - unit : end + unit;
            if (field.receipt == ZqReceipt::Refuse) {
                EXPECT_EQ(handIn(link, field, outside), 0) << outside;
            } else {
                EXPECT_EQ(handIn(link, field, outside), 1) << outside;
            }
            EXPECT_DOUBLE_EQ(readBack(link, field), end) << "after " << outside;
        }
        if (field.kind == ZqFieldKind::Real) {
            const int nan = link.SetPageDouble(field.item, std::nan(""));
            EXPECT_EQ(nan, field.receipt == ZqReceipt::ClampNanToMinimum ? 1 : 0);
        }
    }
}

}  // namespace fieldwalk
