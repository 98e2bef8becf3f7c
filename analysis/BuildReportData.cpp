#include "BuildReportData.h"

#include "Derivation.h"
#include "ExtendedSelection.h"
#include "SelectionModel.h"
#include "ServerContext.h"

namespace ertragon {

ReportData buildReportData(const PeriodTotals &totals, const DisplayState &display,
                           const SelectionModel &selection, const ExtendedSelection &extended,
                           const ServerContext &login, const QDateTime &now)
{
    ReportData data;
    data.display = display;
    data.extendedSelection = extended.active();
    data.discountView = extended.active() ? extended.discountView() : 0;
    data.now = now;
    data.values = Derivation::AbsolutMittel(totals, display, now.date().month());
    data.userFullName = login.fullName;
    data.loginCompany = login.firma;
    SelectionTexts &texts = data.selection;
    texts.company = selection.firma();
    texts.SPG = selection.text(SelectionModel::SPG);
    texts.SPCNR = selection.text(SelectionModel::SPCNR);
    texts.SHABT = selection.shownText(SelectionModel::SHABT);
    texts.SABTNR = selection.text(SelectionModel::SABTNR);
    texts.SHGRP = selection.text(SelectionModel::SHGRP);
    texts.SUGRP = selection.text(SelectionModel::SUGRP);
    texts.SHVArt = selection.text(SelectionModel::SHVArt);
    texts.SVART = extended.active() ? extended.shippingTypeText() : QString();
    texts.SSTyp = extended.active() ? extended.articleTypeText() : QString();
    return data;
}

} // namespace ertragon
