#pragma once
// The shape in which a data page loads when it is shown:
//   UI thread:   busy indicator on, grid disabled and detached (painting suspended)
//   pool thread: a copy of the main connection opened with BaglantiKur, then the page's load
//                function with the table's change notifications suspended
//   UI thread:   the page's own finishing steps, grid re-attached and enabled, busy
//                indicator off, and on failure "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"
//
// Only one load of a page runs at a time: start() while a load runs does nothing and returns
// false (the running load fills the page anyway, so a second one would only repeat it).
// The page, its table and its widgets must outlive a running load.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "remote/Connection.h"

namespace data {
class MemTable;
}

namespace session {

class PageLoad final {
public:
    // The grid as the page load needs it; any hook may be empty.
    struct Grid {
        std::function<void()> detach; // detach the view from the table, suspend painting
        std::function<void()> attach; // re-attach the view, resume painting
        std::function<void(bool)> setEnabled;
    };
    // Runs on a pool thread with this load's own open connection; returns true when the load
    // failed. An exception counts as a failure. No message boxes from here.
    using Load = std::function<bool(remote::Connection& connection)>;

    struct Options {
        QPointer<QWidget> busyIndicator;
        Grid grid;
        data::MemTable* table = nullptr;             // notifications suspended while the load runs
        std::vector<QPointer<QWidget>> alsoDisabled; // e.g. the search box
        std::function<void(bool failed)> finish;     // the page's own finishing steps (UI thread)
        // 0: BaglantiKur shows only its per-attempt boxes and the failure message comes from
        // here; 1: BaglantiKur shows the failure message itself and none is shown here.
        int connectFlag = 0;
    };

    // mainConnection is the main window's connection; each load runs on a copy of it.
    PageLoad(remote::Connection& mainConnection, Options options);
    ~PageLoad();
    PageLoad(const PageLoad&) = delete;
    PageLoad& operator=(const PageLoad&) = delete;

    // Starts a load (UI thread). Returns false, doing nothing, while a load is running.
    bool start(Load load);
    bool running() const { return running_; }

private:
    struct Run;
    void begin();
    void end(Run& run);

    remote::Connection& mainConnection_;
    Options options_;
    bool running_ = false;
    std::shared_ptr<bool> alive_;
};

} // namespace session
