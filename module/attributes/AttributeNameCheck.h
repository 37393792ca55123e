#pragma once

#include <functional>
#include <string>

class CZqDialog;

// The name check shared by the attribute editors (pens, widths, colours,
// fonts): names are at most 16 bytes once trimmed of spaces, contain none of
// the characters of string 7099 and are unique in their table. Each editor
// has its own message ids for the four failures.
class CAttributeNameCheck {
public:
    struct Messages {
        int blank = 0;          // the name is empty or only spaces
        int tooLong = 0;        // longer than 16 bytes after trimming
        int forbiddenChar = 0;  // formatted with the offending character
        int used = 0;           // another entry has the name
    };
    // The number of the table entry called `name`, < 1 when there is none.
    using Finder = std::function<int(const char* name)>;

    static constexpr int kForbiddenChars = 7099;

    CAttributeNameCheck(const Messages& messages, Finder find);

    // Checks the name in edit `editId` of `dialog`. The trimmed name is
    // written back into the edit before its length is checked. `self` is the
    // entry being modified (0 for a new entry: every name in the table is
    // then taken). A failure shows its message, focuses the edit and returns
    // false; on success `name` receives the trimmed name.
    bool check(CZqDialog& dialog, int editId, int self, std::string& name) const;

    // The first character of `name` that `forbidden` lists, compared as whole
    // host code page characters; empty when there is none.
    static std::string forbiddenCharacter(const std::string& name, const std::string& forbidden);

private:
    bool refuse(CZqDialog& dialog, int editId, int message, const char* argument = nullptr) const;

    Messages messages_;
    Finder find_;
};
