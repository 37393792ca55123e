#pragma once

// The system side of a running host: its settings, its system folder, the
// listener that shows what the host asks to show, and where the current
// figure number comes from. One per process (the registry of named functions
// is one per process too); startHost() puts it in its fresh state.

#include <functional>
#include <string>

#include "api/HostRuntime.h"
#include "model/HostListener.h"
#include "model/SystemSettings.h"
#include "mobr/export.h"

namespace mobrhost {

class MOBR_API HostSession {
public:
    static HostSession& instance();

    SystemSettings& settings() { return settings_; }
    const SystemSettings& settings() const { return settings_; }

    // The system folder, ending with "/"; empty when the host has none.
    const std::string& systemFolder() const { return systemFolder_; }
    // A file of the system folder (exact name, or a name differing in case).
    std::string systemFile(const std::string& name) const;
    // The option file of the current template: the standard and default
    // option files in the system folder, any other in its template folder;
    // empty when the name is no template name or its folder is unknown.
    std::string currentTemplatePath() const;

    // The listener (not owned); null forwards nothing.
    void setListener(HostListener* listener) { listener_ = listener; }
    HostListener* listener() const { return listener_; }

    // The figure model tells the host which figure is current; without a
    // source the number kept in the settings ("CurrentFigure") is used.
    void setCurrentFigureSource(std::function<short()> source) { figureSource_ = std::move(source); }
    short currentFigure() const;

    // Requests forwarded to the listener, each also noted in the journal.
    void redraw(int figure);
    void attributeDisplay(const std::string& which, int argument);
    void systemColoursChanged();
    void toolBarChanged();
    void showHelp(int topic);
    void showWarning(int id);
    // A message about a file or a setting: journal and listener.
    void message(const std::string& text);
    // Last message given, for callers that report it further.
    const std::string& lastMessage() const { return lastMessage_; }

    // The host's fresh state for a start: default settings, the system folder
    // prepared (created, filled with the default files where they are
    // missing), the system file and the current template loaded.
    void reset(const HostStart& start);

    // The folder of default system files next to the host library.
    static std::string defaultSystemFolder();

private:
    HostSession() = default;

    SystemSettings settings_;
    std::string systemFolder_;
    HostListener* listener_ = nullptr;
    std::function<short()> figureSource_;
    std::string lastMessage_;
};

}  // namespace mobrhost
