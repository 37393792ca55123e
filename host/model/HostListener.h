#pragma once

// What the host forwards to whoever shows it: the application draws the
// figure, shows help and warning texts, repaints attribute displays. Every
// method does nothing by default; the host also records each request in the
// journal, so tests need no listener.

#include <string>

namespace mobrhost {

class HostListener {
public:
    virtual ~HostListener() = default;
    // A view to draw again: a figure number, or -1 for every view.
    virtual void redraw(int figure) {}
    // An attribute display to refresh: which ("main", "sub", "one", "all")
    // and its argument.
    virtual void attributeDisplay(const std::string& which, int argument) {}
    // The system colours changed (apply them to the displays).
    virtual void systemColoursChanged() {}
    // Tool bar style, grip or the command run button changed.
    virtual void toolBarChanged() {}
    virtual void showHelp(int topic) {}
    // A host warning by id, with its text.
    virtual void showWarning(int id, const std::string& text) {}
    // A host message (a refused file, say), host code page.
    virtual void showMessage(const std::string& text) {}
};

}  // namespace mobrhost
