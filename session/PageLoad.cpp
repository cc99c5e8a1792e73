#include "session/PageLoad.h"

#include "data/MemTable.h"
#include "platform/Services.h"
#include "session/Async.h"

namespace session {

// What the work and the continuation of one load share.
struct PageLoad::Run {
    std::unique_ptr<remote::Connection> connection;
    Load load;
    data::MemTable* table = nullptr;
    int connectFlag = 0;
    bool hata = false; // the load failed
};

PageLoad::PageLoad(remote::Connection& mainConnection, Options options)
    : mainConnection_(mainConnection), options_(std::move(options)), alive_(std::make_shared<bool>(true)) {}

PageLoad::~PageLoad() {
    *alive_ = false;
}

bool PageLoad::start(Load load) {
    if (running_) return false;
    running_ = true;
    begin();

    auto run = std::make_shared<Run>();
    run->connection = mainConnection_.clone();
    run->load = std::move(load);
    run->table = options_.table;
    run->connectFlag = options_.connectFlag;

    std::weak_ptr<bool> alive = alive_;
    Async([run] {
        if (!remote::BaglantiKur(*run->connection, run->connectFlag)) {
            run->hata = true;
            return;
        }
        if (run->table) run->table->disableControls();
        try {
            run->hata = run->load ? run->load(*run->connection) : false;
        } catch (...) {
            run->hata = true;
        }
        if (run->table) run->table->enableControls();
        run->connection->close();
    }).Await([this, run, alive] {
        run->connection.reset();
        if (alive.expired() || !*alive.lock()) return;
        end(*run);
    });
    return true;
}

void PageLoad::begin() {
    if (options_.busyIndicator) options_.busyIndicator->setVisible(true);
    if (options_.grid.setEnabled) options_.grid.setEnabled(false);
    if (options_.grid.detach) options_.grid.detach();
    for (const auto& w : options_.alsoDisabled)
        if (w) w->setEnabled(false);
}

void PageLoad::end(Run& run) {
    std::exception_ptr finishError;
    if (options_.finish) {
        try {
            options_.finish(run.hata);
        } catch (...) {
            finishError = std::current_exception();
        }
    }
    if (options_.grid.attach) options_.grid.attach();
    if (options_.grid.setEnabled) options_.grid.setEnabled(true);
    for (const auto& w : options_.alsoDisabled)
        if (w) w->setEnabled(true);
    if (options_.busyIndicator) options_.busyIndicator->setVisible(false);
    running_ = false;

    if (run.hata && options_.connectFlag != 1) {
        platform::MessageRequest r;
        r.text = remote::connectionFailedText();
        r.kind = platform::MsgKind::Error;
        r.buttons = platform::kOk;
        r.first = platform::MsgButton::OK;
        platform::services().showMessage(r);
    }
    if (finishError) std::rethrow_exception(finishError);
}

} // namespace session
