#pragma once

#include "data/data_module.h"

#include <QString>

#include <optional>

namespace tabel {

// Operation types: the names of kinds of work that operations refer to.
// The window shows the refusals; this class decides them and writes.
class VidOperStore {
public:
    enum class Outcome {
        Saved,
        EmptyName,  // nothing but blanks was typed
        Duplicate,  // the name exists already, letter case aside
        Reserved,   // reserved rows are never changed
    };
    struct Result {
        Outcome outcome = Outcome::Saved;
        qint64 id = 0; // the saved type
    };

    explicit VidOperStore(DataModule& dm) : m_dm(dm) {}

    // The name is trimmed before it is checked and stored.
    Result add(const QString& typed);
    Result rename(qint64 id, const QString& typed);
    // false for the reserved types: they stay.
    bool remove(qint64 id);

    // Whether another type has this name in any letter case (Cyrillic
    // included); `exceptId` is the type being renamed.
    bool nameTaken(const QString& name, std::optional<qint64> exceptId = std::nullopt);

private:
    DataModule& m_dm;
};

} // namespace tabel
