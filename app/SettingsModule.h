#pragma once

// The settings module as the application sees it: loaded once with the
// platform's library loader, its entry points looked up by name. A command
// whose entry point the module does not export is simply not offered.

#include <functional>
#include <string>
#include <vector>

#include "mobr/entrypoints.h"
#include "platform/Library.h"

class SettingsModule {
public:
    // One command of the Settings menu.
    struct Command {
        const char* entry;   // exported name; "IDD_S_001" for the drawing size object
        const char* label;   // menu text
    };
    // Every command in menu order.
    static const std::vector<Command>& commands();

    // What the host gives and gets back when it drives the drawing size object.
    struct DrawingSize {
        int paperIndex = 4;
        double width = 297.0;
        double height = 210.0;
    };
    struct DrawingSizeRun {
        bool created = false;     // IDD_S_001Init gave an object
        int runResult = 0;        // RunDialog's own result
        int modalResult = 0;      // the modal result it stored
        DrawingSize readBack;     // GetPageInt 30001, GetPageDouble 20102 and 20103
    };

    // The module next to the program (libmobrtmpl.so in the program's folder).
    static std::string defaultPath();

    // Loads and attaches the module. Without a display (Qt's offscreen or
    // minimal platform) nobody could answer a message the module shows while
    // it attaches (950 when its resource file is unusable): each one is then
    // answered with its default button and kept in attachMessages(), so a
    // headless run never waits for a person. With a display it is shown.
    bool load(const std::string& path);
    struct AttachMessage {
        int id = 0;
        std::string text;      // UTF-8
        std::string argument;  // UTF-8
        unsigned flags = 0;
        int answer = 0;
    };
    const std::vector<AttachMessage>& attachMessages() const { return attachMessages_; }
    bool isLoaded() const { return library_.isLoaded(); }
    const std::string& error() const { return error_; }

    // Whether the module offers a command ("IDD_S_001": both Init and Term).
    bool has(const std::string& entry) const;
    std::vector<Command> available() const;

    // Calls an entry point without arguments; aapLAtrCnv has no result and
    // gives 0. False when the module does not export it.
    bool call(const std::string& entry, int* result);

    // Applies a conversion definition to the current figure without a dialog
    // (aapLAtrCnvBatch; host paths); the module's status (0 converted), or
    // -1 when the module does not offer it. `report` gets its JSON report.
    int convertAttributes(const std::string& reference, const std::string& definition, std::string* report);

    // Creates the drawing size object, hands `in` in, runs it, reads the
    // results back and destroys it.
    DrawingSizeRun runDrawingSize(const DrawingSize& in);
    // Creates the drawing size object, lets `use` drive it and destroys it;
    // false when the module gave no object.
    bool withDrawingSize(const std::function<void(CZqDataLink&)>& use);

private:
    void* symbol(const std::string& name) const;

    mobr::Library library_;
    std::string error_;
    std::vector<AttachMessage> attachMessages_;
};
