#pragma once

// Forwards the host's requests (redraw, attribute displays, help, warnings,
// messages) to whoever shows them: the main window or the scenario runner.
// A request without a handler is dropped (the host journals it anyway).

#include <functional>
#include <string>

#include "model/HostListener.h"

class ViewListener : public mobrhost::HostListener {
public:
    std::function<void(int figure)> onRedraw;
    std::function<void(int topic)> onHelp;
    std::function<void(int id, const std::string& text)> onWarning;
    std::function<void(const std::string& text)> onMessage;

    void redraw(int figure) override;
    // Attribute displays show the figure's attributes: redraw every view.
    void attributeDisplay(const std::string& which, int argument) override;
    void systemColoursChanged() override;
    void showHelp(int topic) override;
    void showWarning(int id, const std::string& text) override;
    void showMessage(const std::string& text) override;
};
