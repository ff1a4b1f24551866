#pragma once

#include "data/data_module.h"

#include <QDate>

namespace tabel {

// The day's register: the four shift queries read for one work date, the
// current shift, and accepting a record. No widgets: the register panel
// shows it, dialogs read the current shift and query from it.
class ShiftRegister {
public:
    explicit ShiftRegister(DataModule& dm) : m_dm(dm) {}

    int curSmena() const { return m_curSmena; }
    void setCurSmena(int shift) { m_curSmena = shift; }
    // The register query of the current shift (shift 1 for anything unknown).
    ResultSet& curQuery() { return m_dm.smena(m_curSmena >= 2 && m_curSmena <= 4 ? m_curSmena : 1); }
    ResultSet& query(int shift) { return m_dm.smena(shift); }

    // Records with this ok mark stay out of the register ("ta" once logged in).
    void setHiddenMark(const QString& mark);

    // Reads all four shifts of `date`: four statements, whatever is shown.
    void load(const QDate& date);
    // Reads them again with the parameters they hold.
    void refresh();

    static bool isAccepted(const QVariant& okMark);

    enum class Toggle { Refused, NothingToToggle, Done };
    // Accepts the current record of the current shift, or takes the
    // acceptance back; the foremen may not. The same row number stays
    // current afterwards.
    Toggle toggleOk(const QString& role);

private:
    DataModule& m_dm;
    int m_curSmena = 0;
};

} // namespace tabel
