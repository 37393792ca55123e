#include "UndoHistory.h"

#include "model/FigureModel.h"
#include "model/HostSession.h"
#include "store/FigureJson.h"
#include "store/SettingsJson.h"

using mobrhost::Figure;
using mobrhost::FigureModel;
using mobrhost::HostSession;
using mobrhost::SystemSettings;

namespace {

constexpr const char* kRunningPrefix = "Run.";

bool isRunningCounter(const std::string& key)
{
    return key.rfind(kRunningPrefix, 0) == 0;
}

// The current figure with its in-use marks brought up to date: the marks
// are derived from the elements and tables whenever the host hands out a
// table, so a state is compared (and kept) with them derived the same way.
Figure* currentFigure()
{
    FigureModel& model = FigureModel::instance();
    Figure* figure = model.figure(model.current());
    if (figure) model.refreshInUse(*figure);
    return figure;
}

// The settings as the host exports them, which leaves out the running
// counters: they change with every request and are not something a person
// undoes.
std::string comparableSettings(const SystemSettings& settings)
{
    return mobrhost::SettingsJson::exportSettings(settings);
}

bool sameFigure(const Figure& a, const Figure& b)
{
    for (int space = 0; space < mobrhost::ElementDatabase::kSpaces; ++space)
        if (a.elements.records(space) != b.elements.records(space)) return false;
    return mobrhost::FigureJson::toJson(a, false) == mobrhost::FigureJson::toJson(b, false);
}

}  // namespace

HostState HostState::capture()
{
    HostState state;
    if (const Figure* figure = currentFigure()) state.figure_ = std::make_unique<Figure>(*figure);
    state.settings_ = HostSession::instance().settings();
    return state;
}

bool HostState::matchesCurrent() const
{
    const Figure* figure = currentFigure();
    if (!figure != !figure_) return false;
    if (figure && !sameFigure(*figure, *figure_)) return false;
    return comparableSettings(HostSession::instance().settings()) == comparableSettings(settings_);
}

void HostState::exchangeWithCurrent()
{
    FigureModel& model = FigureModel::instance();
    if (figure_) {
        figure_->changed = true;
        figure_ = model.exchangeFigure(model.current(), std::move(figure_));
    }
    SystemSettings& live = HostSession::instance().settings();
    for (const auto& [key, value] : live.numbers())
        if (isRunningCounter(key)) settings_.setNumber(key, value);
    std::swap(live, settings_);
}

std::size_t HostState::bytes() const
{
    std::size_t total = sizeof(SystemSettings);
    if (figure_) {
        total += sizeof(Figure);
        for (int space = 0; space < mobrhost::ElementDatabase::kSpaces; ++space)
            total += figure_->elements.records(space).size() * sizeof(mobrhost::ElementDatabase::Record);
    }
    return total;
}

UndoHistory::UndoHistory(std::size_t maxSteps, std::size_t maxBytes) : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

void UndoHistory::record(const QString& name, HostState before)
{
    redo_.clear();
    undo_.push_back({name, std::move(before)});
    trim();
}

QString UndoHistory::undoName() const
{
    return undo_.empty() ? QString() : undo_.back().name;
}

QString UndoHistory::redoName() const
{
    return redo_.empty() ? QString() : redo_.back().name;
}

bool UndoHistory::move(std::deque<Step>& from, std::deque<Step>& to)
{
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    step.state.exchangeWithCurrent();  // now holds the state it replaced
    to.push_back(std::move(step));
    return true;
}

bool UndoHistory::undo()
{
    const bool done = move(undo_, redo_);
    trim();
    return done;
}

bool UndoHistory::redo()
{
    const bool done = move(redo_, undo_);
    trim();
    return done;
}

void UndoHistory::clear()
{
    undo_.clear();
    redo_.clear();
}

std::size_t UndoHistory::bytes() const
{
    std::size_t total = 0;
    for (const auto* list : {&undo_, &redo_})
        for (const Step& step : *list) total += step.state.bytes();
    return total;
}

// Drops the oldest undo steps, then the farthest redo steps, until both
// limits hold; the newest step of each kind stays whatever its size, so the
// last change can always be taken back.
void UndoHistory::trim()
{
    auto over = [this] { return steps() > maxSteps_ || bytes() > maxBytes_; };
    while (over() && undo_.size() > 1) undo_.pop_front();
    while (over() && redo_.size() > 1) redo_.pop_front();
}
