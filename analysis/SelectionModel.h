#pragma once

#include "AccessRights.h"
#include "SelectionList.h"

#include <QObject>
#include <array>

namespace ertragon {

class Prompter;
class ServerAccess;

// The selection codes one period query sends, each the code of its list's entry
// (company: the SFirma text as a number).
struct FetchSelection
{
    QString company, hgrp, ugrp, pcnr, habt, abtnr, pg, hvart;
};

// The selection panel without widgets: the cascading lists, the user's rights and
// the own-department rules of restricted users, the SelectionChanged flag and the
// split flags. The window shows the lists' models and forwards the user's choices
// to choose().
class SelectionModel : public QObject
{
    Q_OBJECT
public:
    enum List { SPCNR, SHABT, SABTNR, SHGRP, SUGRP, SPG, SHVArt };
    static constexpr int ListCount = 7;
    // The split flags, each named after its check box: subgroups, main customer groups,
    // main shipping type. The flags live here only; the breakdown reads them from here.
    enum SplitBox { ChkUGRP = 1, ChkHKGRP = 2, ChkHVArt = 8 };

    SelectionModel(ServerAccess &server, Prompter &prompter, QObject *parent = nullptr);

    // The login user: own department, own main department and what the store grants.
    // The rights live here only; the fetch, the breakdown and the book read them here.
    void setUser(const QString &department, const QString &mainDepartment,
                 const AccessRights &rights);
    const AccessRights &rights() const { return m_rights; }

    const SelectionList &list(List list) const { return m_lists[list]; }
    // The model a list box shows.
    QAbstractItemModel *listModel(List list) { return &m_lists[list]; }
    int currentIndex(List list) const { return m_current[list]; }
    QString text(List list) const;
    QString code(List list) const;

    QString firma() const { return m_firma; }
    // The change handler of SFirma.
    void setFirma(const QString &text);
    FetchSelection fetchSelection() const;
    // The codes a period fetch sends: those of fetchSelection(), except that a
    // restricted user who chose neither a main department nor a department is
    // answered for the own main department (never the whole company).
    FetchSelection periodSelection() const;
    // The text of a list entry as the page names it: for the main department the own
    // one where periodSelection() puts it in.
    QString shownText(List list) const;

    // Start-up fills (one per splash status step).
    void fillMainGroups();
    void fillDepartments();
    void fillProfitCentres();
    void fillMainDepartments();
    void fillFixedLists();

    // The click handler of a list: index into list(list).
    void choose(List list, int index);
    enum class Choice { Chosen, Unknown, Refused };
    // Chooses the entry with this code as a click does; Refused when the user's rules
    // did not let it stay chosen.
    Choice chooseCode(List list, const QString &code, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    // The other selection's choices on every list but the ones given, in the order of
    // the cascade, and its split flags.
    void takeChoices(const SelectionModel &other, const QList<List> &except);

    bool abteilungSelektiert() const { return m_abteilungSelektiert; }
    bool nichtErlaubt() const { return m_nichtErlaubt; }
    bool selectionChanged() const { return m_selectionChanged; }
    void clearSelectionChanged() { m_selectionChanged = false; }

    // Would a fetch with the current codes send a choice this user may not make?
    bool holdsRefusedChoice() const;
    // May the user see the figures of this unit on a row of its own? A restricted user
    // sees only the own main department and the departments the table allows.
    bool unitAllowed(List list, const QString &code) const;

    int splitFlags() const { return m_splitFlags; }
    void setSplitFlags(int flags);
    bool isChecked(SplitBox box) const { return (m_splitFlags & box) != 0; }
    // The click of a split check box; checking one of the customer-group and
    // shipping-type boxes unchecks the other.
    void setChecked(SplitBox box, bool checked);

Q_SIGNALS:
    void itemsChanged(ertragon::SelectionModel::List list);
    void currentChanged(ertragon::SelectionModel::List list);
    void splitFlagsChanged(int flags);

private:
    void setItems(List list, const QList<SelectionEntry> &entries);
    void setCurrent(List list, int index);
    QString loginCompany() const;

    void profitCentreChosen();
    void mainDepartmentChosen();
    void mainDepartmentEmptied();
    void departmentChosen();
    void mainGroupChosen();
    void refuse(List list, const QString &message);

    ServerAccess &m_server;
    Prompter &m_prompter;
    std::array<SelectionList, ListCount> m_lists;
    std::array<int, ListCount> m_current {};
    QString m_firma;
    QString m_department;
    QString m_mainDepartment;
    AccessRights m_rights;
    bool m_abteilungSelektiert = false;
    bool m_nichtErlaubt = false;
    bool m_selectionChanged = false;
    int m_splitFlags = ChkUGRP | ChkHKGRP;
};

} // namespace ertragon
