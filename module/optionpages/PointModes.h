#pragma once

// The point mode settings the point mode page edits, without their
// controls: search tables, input table and sequences, default code, the
// offered order (sort string) and the in-use mask, with the rules that keep
// them consistent.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pointmode {

// Position i of a code is its bit in the in-use mask; "0" to "3" stand for
// the user search tables 0 to 3.
constexpr const char* kCodes = "AFPXSGMR0123";
constexpr int kCodeCount = 12;
constexpr int kBuiltIn = 8;
constexpr int kUserTables = 4;
constexpr char kNone = 'N';
constexpr char kSequenceStart = 'C';
constexpr char kRatio = 'R';
constexpr uint16_t kEnd = 0xFFFF;
constexpr int kKinds = 16;
constexpr int kNameChars = 15;
constexpr int kSequenceSlots = 6;
constexpr int kInputTypes = 4;
constexpr int kInputBytes = 16;
// Input table bytes of sequence slots 0 to 5 and of the choices of lists 1201 to 1203.
constexpr int kSequenceBytes[kSequenceSlots] = {0, 1, 2, 5, 6, 7};
constexpr int kChoiceBytes[3] = {11, 12, 13};

int position(char code);  // -1 for a character outside the code table
inline char userCode(int table) { return static_cast<char>('0' + table); }
inline uint32_t bit(char code) { return position(code) < 0 ? 0u : 1u << position(code); }

struct SearchTable {
    std::string name;  // empty: a user table that is not defined
    std::array<uint16_t, kKinds> kinds{};

    SearchTable() { kinds.fill(kEnd); }
    int count() const;
    bool has(uint16_t kind) const;
    // Appends `kind` (2 brings 9 after it) unless present or full; false when refused.
    bool add(uint16_t kind);
    void clear() { kinds.fill(kEnd); }
};

using Sequence = std::array<char, kSequenceSlots>;

class State {
public:
    std::array<SearchTable, 1 + kUserTables> tables;  // 0 base, 1..4 user tables 0..3
    std::array<unsigned char, kInputBytes> input{};
    int inputType = 0;
    std::array<Sequence, kInputTypes> sequences{};
    char defaultCode = 'A';
    std::string sort;
    uint32_t mask = 0;
    bool ratioAvailable = false;
    bool changed = false;

    bool defined(int userTable) const;
    // A code the page may offer now: a built-in mode ("R" only when available)
    // or a defined user table.
    bool available(char code) const;
    // 0x7F, "R" when available, and every defined user table.
    uint32_t openingMask() const;
    // The available codes in code table order (the in-use list).
    std::vector<char> availableCodes() const;

    // Rebuilds the sort string from the mask and returns it: codes out of
    // use leave it, newly used ones are appended in code table order; a mask
    // of 0 takes the opening default; nothing in use leaves "A".
    std::string offered();
    // The in-use state from the codes selected in the in-use list; the forced
    // codes (the table choices) stay in use; nothing selected keeps the first
    // available code.
    void setInUse(std::vector<char> selected, const std::vector<char>& forced);
    // Every available mode on, in code table order.
    void switchAllOn();
    // Swaps entry `index` of the offered list with its neighbour; false at the ends.
    bool moveUp(int index);
    bool moveDown(int index);
    // After user table `table` (0..3) was edited and accepted.
    void userTableAccepted(int table);
    // Closes the gaps among the user tables, renaming codes; returns true when
    // anything moved.
    bool closeGaps();
    // Slots of the current sequence and choice bytes that name an undefined
    // user table become "N".
    void dropUndefinedCodes();
    Sequence& sequence() { return sequences[static_cast<std::size_t>(inputType)]; }

private:
    void renameCode(char from, char to);
};

}  // namespace pointmode
