#include "SelectionModel.h"

#include "NumberText.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerLists.h"

namespace ertragon {

namespace {

const QString errorTitle = QStringLiteral("Fehlermeldung");
const QString foreignMainDepartment
    = QStringLiteral("Sie dürfen nur Ihre eigene Hauptabteilung selektieren.");
const QString foreignDepartment
    = QStringLiteral("Sie dürfen nur Ihre eigene Abteilung selektieren.");

const QString listOperation = QStringLiteral("Auswahllisten lesen");

QList<SelectionEntry> withEmptyEntry(const QList<SelectionEntry> &entries)
{
    return QList<SelectionEntry> { SelectionEntry {} } + entries;
}

} // namespace

SelectionModel::SelectionModel(ServerAccess &server, Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_prompter(prompter)
{
    for (SelectionList &list : m_lists)
        list.setEntries({ SelectionEntry {} });
}

void SelectionModel::setUser(const QString &department, const QString &mainDepartment,
                             const AccessRights &rights)
{
    m_department = department.trimmed();
    m_mainDepartment = mainDepartment.trimmed();
    m_rights = rights;
}

QString SelectionModel::text(List list) const
{
    return m_lists[list].entry(m_current[list]).text();
}

QString SelectionModel::code(List list) const
{
    return m_lists[list].entry(m_current[list]).code;
}

void SelectionModel::setFirma(const QString &text)
{
    m_firma = text;
    m_selectionChanged = true;
}

FetchSelection SelectionModel::fetchSelection() const
{
    return { NumberText::companyArgument(m_firma),
             code(SHGRP),
             code(SUGRP),
             code(SPCNR),
             code(SHABT),
             code(SABTNR),
             code(SPG),
             code(SHVArt) };
}

FetchSelection SelectionModel::periodSelection() const
{
    FetchSelection s = fetchSelection();
    if (m_rights.restricted && s.habt.isEmpty() && s.abtnr.isEmpty())
        s.habt = m_mainDepartment;
    return s;
}

QString SelectionModel::shownText(List list) const
{
    if (list != SHABT || !text(list).isEmpty() || periodSelection().habt.isEmpty())
        return text(list);
    const int row = m_lists[SHABT].indexOfCode(m_mainDepartment);
    return row >= 0 ? m_lists[SHABT].entry(row).text() : m_mainDepartment;
}

QString SelectionModel::loginCompany() const
{
    return m_server.context().firma;
}

void SelectionModel::setItems(List list, const QList<SelectionEntry> &entries)
{
    m_lists[list].setEntries(entries);
    m_current[list] = entries.isEmpty() ? -1 : 0;
    Q_EMIT itemsChanged(list);
}

void SelectionModel::setCurrent(List list, int index)
{
    m_current[list] = index;
    Q_EMIT currentChanged(list);
}

void SelectionModel::fillMainGroups()
{
    setItems(SHGRP,
             withEmptyEntry(ServerLists::commandItems(m_server, QStringLiteral("d HGRP^KXCLSU"))));
}

void SelectionModel::fillDepartments()
{
    setItems(SABTNR,
             withEmptyEntry(ServerLists::commandItems(m_server, QStringLiteral("d ABTNR^KXCLSU"))));
}

void SelectionModel::fillMainDepartments()
{
    setItems(SHABT,
             withEmptyEntry(ServerLists::commandItems(m_server, QStringLiteral("d HABT^KXCLSU"))));
}

void SelectionModel::fillProfitCentres()
{
    QList<SelectionEntry> entries { SelectionEntry {} };
    {
        ServerCall call(m_server, listOperation);
        if (call.connected())
            ServerLists::appendQueryItems(call, QStringLiteral("Profitcenter"), {}, entries);
    }
    setItems(SPCNR, entries);
}

void SelectionModel::fillFixedLists()
{
    setItems(SPG,
             { {},
               { QStringLiteral("P"), QStringLiteral("Privat") },
               { QStringLiteral("G"), QStringLiteral("Gewerbe") } });
    setItems(SHVArt,
             { {},
               { QStringLiteral("L"), QStringLiteral("Lager") },
               { QStringLiteral("S"), QStringLiteral("Strecke") } });
}

void SelectionModel::choose(List list, int index)
{
    if (index < 0 || index >= m_lists[list].size())
        return;
    setCurrent(list, index);
    switch (list) {
    case SPCNR:
        profitCentreChosen();
        break;
    case SHABT:
        mainDepartmentChosen();
        break;
    case SABTNR:
        departmentChosen();
        break;
    case SHGRP:
        mainGroupChosen();
        break;
    case SUGRP:
    case SPG:
    case SHVArt:
        m_selectionChanged = true;
        break;
    }
}

void SelectionModel::profitCentreChosen()
{
    const QString pc = code(SPCNR);
    if (pc.isEmpty()) {
        fillMainDepartments();
    } else {
        QList<SelectionEntry> mainDepartments { SelectionEntry {} };
        QList<SelectionEntry> departments { SelectionEntry {} };
        {
            ServerCall call(m_server, listOperation);
            const QStringList args { loginCompany(), pc };
            if (call.connected()
                && ServerLists::appendQueryItems(call, QStringLiteral("HAbtInPC"), args,
                                                 mainDepartments))
                ServerLists::appendQueryItems(call, QStringLiteral("AbtInPC"), args, departments);
        }
        setItems(SHABT, mainDepartments);
        setItems(SABTNR, departments);
    }
    m_selectionChanged = true;
}

void SelectionModel::mainDepartmentEmptied()
{
    m_abteilungSelektiert = false;
    fillDepartments();
}

void SelectionModel::mainDepartmentChosen()
{
    m_nichtErlaubt = false;
    const QString habt = code(SHABT);
    if (habt.isEmpty()) {
        mainDepartmentEmptied();
        return;
    }
    m_abteilungSelektiert = true;
    QList<SelectionEntry> departments { SelectionEntry {} };
    {
        ServerCall call(m_server, listOperation);
        if (call.connected())
            ServerLists::appendQueryItems(call, QStringLiteral("AbtInHAbt"),
                                          { loginCompany(), habt }, departments);
    }
    setItems(SABTNR, departments);
    if (m_rights.restricted && habt != m_mainDepartment) {
        refuse(SHABT, foreignMainDepartment);
        mainDepartmentEmptied();
        return;
    }
    m_selectionChanged = true;
}

void SelectionModel::departmentChosen()
{
    m_nichtErlaubt = false;
    const QString abt = code(SABTNR);
    if (abt.isEmpty()) {
        m_abteilungSelektiert = false;
        return;
    }
    m_abteilungSelektiert = true;
    if (m_rights.restricted && !AccessRights::departmentAllowed(m_department, abt)) {
        // A refused department never stays selected: it could be fetched otherwise.
        refuse(SABTNR, foreignDepartment);
        m_abteilungSelektiert = false;
        return;
    }
    m_selectionChanged = true;
}

SelectionModel::Choice SelectionModel::chooseCode(List list, const QString &wanted,
                                                  Qt::CaseSensitivity cs)
{
    const int index = m_lists[list].indexOfCode(wanted, cs);
    if (index < 0)
        return Choice::Unknown;
    choose(list, index);
    return code(list).compare(wanted, cs) == 0 ? Choice::Chosen : Choice::Refused;
}

void SelectionModel::takeChoices(const SelectionModel &other, const QList<List> &except)
{
    for (int i = 0; i < ListCount; ++i) {
        const auto list = List(i);
        const QString chosen = other.code(list);
        if (!except.contains(list) && !chosen.isEmpty())
            chooseCode(list, chosen);
    }
    setSplitFlags(other.splitFlags());
}

void SelectionModel::refuse(List list, const QString &message)
{
    m_prompter.inform(Prompter::Icon::Critical, errorTitle, message);
    m_nichtErlaubt = true;
    setCurrent(list, 0);
}

void SelectionModel::mainGroupChosen()
{
    const QString hgrp = code(SHGRP);
    if (hgrp.isEmpty()) {
        setItems(SUGRP, {});
    } else {
        setItems(SUGRP,
                 withEmptyEntry(ServerLists::commandItems(
                     m_server, QStringLiteral("d UGRP^KXCLSU(") + hgrp + QLatin1Char(')'))));
    }
    // Emptying the main group widens the selection, so the shown figures are stale too.
    m_selectionChanged = true;
}

bool SelectionModel::holdsRefusedChoice() const
{
    if (!m_rights.restricted)
        return false;
    const QString habt = code(SHABT);
    if (!habt.isEmpty() && habt != m_mainDepartment)
        return true;
    const QString abt = code(SABTNR);
    return !abt.isEmpty() && !AccessRights::departmentAllowed(m_department, abt);
}

bool SelectionModel::unitAllowed(List list, const QString &code) const
{
    if (!m_rights.restricted)
        return true;
    switch (list) {
    case SPCNR:
        return false; // the list is closed to restricted users
    case SHABT:
        // The empty entry would be the whole company.
        return code == m_mainDepartment;
    case SABTNR:
        return code.isEmpty() || AccessRights::departmentAllowed(m_department, code);
    default:
        return true;
    }
}

void SelectionModel::setSplitFlags(int flags)
{
    m_splitFlags = flags;
    Q_EMIT splitFlagsChanged(m_splitFlags);
}

void SelectionModel::setChecked(SplitBox box, bool checked)
{
    if (isChecked(box) == checked)
        return;
    m_splitFlags += checked ? int(box) : -int(box);
    if (checked && box == ChkHKGRP)
        setChecked(ChkHVArt, false);
    else if (checked && box == ChkHVArt)
        setChecked(ChkHKGRP, false);
    Q_EMIT splitFlagsChanged(m_splitFlags);
}

} // namespace ertragon
