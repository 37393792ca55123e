#pragma once

// A radio group whose buttons stand for host values, not for their index
// (point types 1, 2, 5 and 6; curve kinds from 2; a font type whose first
// button is 1). A host value that no button stands for selects no button
// and goes back unchanged unless the user chooses a button: guessing a
// button for it would write a value the user never chose.

#include <vector>

class CZqWindow;

class CCodedRadio {
public:
    CCodedRadio(int firstButton, std::vector<int> values);

    int firstButton() const { return first_; }
    int lastButton() const { return first_ + static_cast<int>(values_.size()) - 1; }
    bool owns(int button) const { return button >= first_ && button <= lastButton(); }

    void receive(int hostValue) { value_ = hostValue; }
    int hostValue() const { return value_; }
    // The index of the button that stands for the value; -1 for none.
    int index() const;

    void show(CZqWindow& window) const;
    // The checked button's value; with none checked the value stays.
    void take(const CZqWindow& window);

private:
    int first_;
    std::vector<int> values_;
    int value_;
};
