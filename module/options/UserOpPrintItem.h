#pragma once

#include <string>
#include <vector>

// What the settings report covers and where it goes: one item per tab of
// the options dialog (its title and whether it is in the report), the
// destination, the option set's title and folder, and the report file.
// Texts are in the host code page. The selection lives for one report only.
class CUserOpPrintItem {
public:
    enum Destination : int { kPrinter = 0, kTextFile = 1 };

    // Clears the items and makes `count` of them, unnamed and unchecked.
    void SetCount(int count);
    int GetCount() const { return static_cast<int>(names_.size()); }
    // Index 0 .. count-1; an index outside is ignored (set) or empty (get).
    void SetItemName(int index, const std::string& name);
    std::string GetItemName(int index) const;
    void SetCheck(int index, int checked);
    int GetCheck(int index) const;

    void SetDestination(int destination) { destination_ = destination; }
    int GetDestination() const { return destination_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& GetTitle() const { return title_; }
    void SetPath(const std::string& path) { path_ = path; }
    const std::string& GetPath() const { return path_; }
    void SetFolder(const std::string& folder) { folder_ = folder; }
    const std::string& GetFolder() const { return folder_; }

    void CopyFrom(const CUserOpPrintItem& other) { *this = other; }
    // Equal when the items (names and checks) are; the rest does not count.
    bool SameItems(const CUserOpPrintItem& other) const;

private:
    bool inRange(int index) const { return index >= 0 && index < GetCount(); }

    int destination_ = kPrinter;
    std::string title_;
    std::string path_;
    std::string folder_;
    std::vector<std::string> names_;
    std::vector<int> checked_;
};
