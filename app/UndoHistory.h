#pragma once

// Undo and redo of what the settings commands change.
//
// Before a settings command runs, the window captures the host state it may
// change: the current figure (tables, blocks, figure-wide values, elements)
// and the host's system settings. When the command returns having changed
// either, the captured state becomes one undo step named after the command.
// Undo puts the captured state back exactly and keeps the state it replaced
// for redo. The history holds at most a number of steps and of bytes
// (oldest steps go first), so a large drawing keeps fewer steps.

#include <cstddef>
#include <deque>
#include <memory>

#include <QString>

#include "model/Figure.h"
#include "model/SystemSettings.h"

class HostState {
public:
    // Copies the current figure and the system settings.
    static HostState capture();
    // Whether the current figure and settings are still exactly this state.
    // The host's running counters ("Run." numbers) are not compared.
    bool matchesCurrent() const;
    // Makes this state current and becomes the state it replaced: the
    // figure objects trade places (no copy, so undo is quick on any
    // drawing), the settings too, keeping the running counters. The restored
    // figure is marked as changed, since it may differ from its file.
    void exchangeWithCurrent();
    std::size_t bytes() const;

private:
    std::unique_ptr<mobrhost::Figure> figure_;
    mobrhost::SystemSettings settings_;
};

class UndoHistory {
public:
    static constexpr std::size_t kMaxSteps = 20;
    static constexpr std::size_t kMaxBytes = 200u * 1024 * 1024;

    explicit UndoHistory(std::size_t maxSteps = kMaxSteps, std::size_t maxBytes = kMaxBytes);

    // Records a step: `before` is the state the command started from. Redo
    // steps are dropped (a new change ends the redo chain).
    void record(const QString& name, HostState before);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The name of the step that Undo / Redo would take back or do again.
    QString undoName() const;
    QString redoName() const;
    bool undo();
    bool redo();
    // Forgets every step (another figure was opened or a new one made).
    void clear();
    std::size_t steps() const { return undo_.size() + redo_.size(); }
    std::size_t bytes() const;

private:
    struct Step {
        QString name;
        HostState state;
    };
    static bool move(std::deque<Step>& from, std::deque<Step>& to);
    void trim();

    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::deque<Step> undo_;  // newest at the back
    std::deque<Step> redo_;  // newest at the back
};
