#pragma once
// Deterministic demo data: a spare-parts wholesaler's catalogue, customers, staff, orders in
// every state, a year of account movements, announcements, banners and the scrolling text.

#include <string>

namespace server {

struct DemoOptions {
    int parts = 20000;
    int customers = 60;
    unsigned seed = 20240601;
};

struct DemoResult {
    bool created = false;  // false: the database already held data and was kept
    int parts = 0;
    double seconds = 0;
};

// Fills the database at `path` unless it already holds data. SQLite-specific bulk loading.
DemoResult generateDemoData(const std::string& path, const DemoOptions& options);

}  // namespace server
