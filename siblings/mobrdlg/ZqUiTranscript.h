#pragma once

#include <string>
#include <vector>

#include <QJsonObject>

#include "mobr/export.h"

// What a control showed when the UI driver read it. Texts are UTF-8.
struct ZqControlState {
    int id = 0;
    std::string className;
    std::string text;
    bool enabled = false;
    bool visible = false;
    bool checked = false;
    bool readOnly = false;
    bool focused = false;
    std::vector<std::string> items;  // rows of a list or combo box
    int selection = -1;              // selected row, -1 when none

    QJsonObject toJson() const;
};

// The record of a scripted run, in the order things happened. Texts are UTF-8.
class MOBR_API ZqUiTranscript {
public:
    struct DialogRecord {
        std::string name;     // layout name (a sheet: its name)
        int depth = 0;        // 1 for the outermost modal dialog
        int result = 0;       // the modal result
        bool unscripted = false;  // the script had nothing left: cancelled
    };
    struct MessageRecord {
        int messageId = 0;    // 0 for a ready text
        std::string text;
        std::string argument;
        unsigned flags = 0;
        int answer = 0;
        bool scripted = false;  // false: answered with the default button
    };
    struct ReadRecord {
        std::string dialog;
        ZqControlState state;
        std::string label;  // the script's name for the read, empty when none
    };
    struct ErrorRecord {
        int action = -1;      // index of the script action, -1 for none
        std::string message;
    };
    struct FileRecord {
        bool open = true;
        std::string filter, folder, name;
        std::string chosen;   // empty when cancelled
        std::string chosenFilter;   // the file type chosen with it, if any
    };
    struct MenuRecord {
        std::vector<int> ids;
        int chosen = 0;
    };
    struct ShotRecord {
        std::string dialog, path;
    };

    const std::vector<DialogRecord>& dialogs() const { return dialogs_; }
    const std::vector<MessageRecord>& messages() const { return messages_; }
    const std::vector<ReadRecord>& reads() const { return reads_; }
    // The last read labelled `label`; null when there is none.
    const ReadRecord* read(const std::string& label) const;
    const std::vector<ErrorRecord>& errors() const { return errors_; }
    const std::vector<FileRecord>& files() const { return files_; }
    const std::vector<MenuRecord>& menus() const { return menus_; }
    const std::vector<ShotRecord>& screenshots() const { return shots_; }

    // The last read of control `id` (null when it was never read).
    const ZqControlState* lastRead(int id) const;

    // {"events":[...]}: every record in order, each with a "kind".
    QJsonObject toJson() const;

    // Recording, used by the driver.
    size_t openDialog(const std::string& name, int depth);
    void closeDialog(size_t index, int result, bool unscripted);
    void addMessage(MessageRecord record);
    void addRead(ReadRecord record);
    void addError(int action, const std::string& message);
    void addFile(FileRecord record);
    void addMenu(MenuRecord record);
    void addShot(ShotRecord record);
    void addNote(const QJsonObject& note);

private:
    std::vector<DialogRecord> dialogs_;
    std::vector<size_t> dialogEvents_;
    std::vector<MessageRecord> messages_;
    std::vector<ReadRecord> reads_;
    std::vector<ErrorRecord> errors_;
    std::vector<FileRecord> files_;
    std::vector<MenuRecord> menus_;
    std::vector<ShotRecord> shots_;
    std::vector<QJsonObject> events_;
};
