#pragma once
#include <QString>

#include <cstdint>

// Builds the database of a made-up office: customers, contact persons, business records,
// income/expense items and the lookup tables, deterministic for a given scale.
// Scale 1 is the target office: 10,000 customers, 30,000 contact persons,
// 100,000 business records and 1,000,000 items.
class Generator {
public:
    struct Counts {
        int customers = 0;
        int linkmans = 0;
        int operates = 0;
        int items = 0;
        int alarms = 0;
    };

    static Counts targetCounts(double scale);

    // Creates <dataFolder>/CRM.sqlite with the program's schema and fills it.
    // The folder must not hold a database yet.
    static Counts generate(const QString &dataFolder, double scale);
};
