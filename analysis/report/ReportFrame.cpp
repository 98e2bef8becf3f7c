#include "ReportFrame.h"

#include "PrintSurface.h"
#include "TextBlockWriter.h"

namespace ertragon::report {

namespace {

QString firstWord(const QString &text)
{
    return text.trimmed().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

TextBlockStyle frameStyle(double points)
{
    TextBlockStyle style;
    style.points = points;
    style.alignment = PrintSurface::AlignCentre;
    style.penThickness = 1;
    style.fillPattern = PrintSurface::FillTransparent;
    style.penPattern = PrintSurface::PenSolid;
    style.transparent = false;
    return style;
}

TextBlockStyle captionStyle()
{
    TextBlockStyle style = frameStyle(10);
    style.fillPattern = PrintSurface::FillSolid;
    return style;
}

} // namespace

QString ReportFrame::legend(const ReportData &data)
{
    const SelectionTexts &sel = data.selection;
    const bool extended = data.extendedSelection;
    QString text;
    auto add = [&text](const QString &label, const QString &value) {
        text += label + value + QLatin1Char(' ');
    };
    if (!sel.company.isEmpty() && firstWord(sel.company) != data.loginCompany.trimmed())
        add(QStringLiteral("Firma: "), sel.company);
    if (!sel.SPG.isEmpty())
        add(QStringLiteral("HKG:"), sel.SPG);
    if (!sel.SPCNR.isEmpty() && sel.SHABT.isEmpty() && sel.SABTNR.isEmpty())
        add(QStringLiteral("PC:"), sel.SPCNR);
    if (!sel.SHABT.isEmpty() && sel.SABTNR.isEmpty())
        add(QStringLiteral("HABT:"), sel.SHABT);
    if (!sel.SABTNR.isEmpty())
        add(QStringLiteral("ABT:"), sel.SABTNR);
    if (!sel.SHGRP.isEmpty())
        add(QStringLiteral("HG:"), sel.SHGRP);
    if (!sel.SUGRP.isEmpty())
        add(QStringLiteral("UG:"), sel.SUGRP);
    if (!sel.SHVArt.isEmpty() && sel.SVART.isEmpty())
        add(QStringLiteral("HVArt:"), sel.SHVArt);
    if (extended && !sel.SVART.isEmpty())
        add(QStringLiteral("SVArt:"), sel.SVART);
    if (extended && !sel.SSTyp.isEmpty())
        add(QStringLiteral("STyp:"), sel.SSTyp);
    return text;
}

QString ReportFrame::modeCaption(int graphMode)
{
    QString word;
    switch (graphMode) {
    case DisplayState::YearMean:
        word = QStringLiteral("Jahresmittelwerte ");
        break;
    case DisplayState::LastQuarter:
        word = QStringLiteral("Quartalsmittelwerte ");
        break;
    case DisplayState::Absolute:
        word = QStringLiteral("Absolut ");
        break;
    default:
        break;
    }
    return word + QStringLiteral("Monatilcher Wert in €");
}

QStringList ReportFrame::panelCaptions(const ReportData &data)
{
    const bool discount = data.extendedSelection && data.discountView == 1;
    QString revenue = discount ? QStringLiteral("Skonto") : QStringLiteral("Umsatz");
    QString margin = discount ? QStringLiteral("Nachlass") : QStringLiteral("Deckungsbeitrag");
    if (data.display.dbPercent)
        margin += QStringLiteral(" in % von Umsatz");
    return { revenue, margin };
}

QString ReportFrame::footer(const ReportData &data)
{
    const QString note = data.display.yearKind == DisplayState::BusinessYear
        ? QStringLiteral(" *.) WJ .. Wirtschaftsjahr")
        : QStringLiteral(" *.) KJ .. Kalenderjahr");
    return QStringLiteral("Gedruckt durch: ") + data.userFullName + QStringLiteral(" am ")
        + data.now.date().toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" um ")
        + data.now.time().toString(QStringLiteral("HH:mm")) + QStringLiteral(" Uhr. ") + note;
}

void ReportFrame::draw(PrintSurface &surface, const ReportData &data, const ChartArea &area)
{
    TextBlockWriter::write(surface, QStringLiteral("Ertragon"), area.x0, 15, area.W, 0,
                           frameStyle(16));
    TextBlockWriter::write(surface, legend(data), area.x0, 21.5, area.W, 0, frameStyle(10));
    surface.TextAngle(900);
    TextBlockWriter::write(surface, modeCaption(data.display.graphMode), area.x0 - 36,
                           area.y0 + area.H, area.H, 0, captionStyle());
    const QStringList captions = panelCaptions(data);
    TextBlockWriter::write(surface, captions[0], area.x0 - 30, area.y0 + area.H / 2, area.H / 2, 0,
                           captionStyle());
    TextBlockWriter::write(surface, captions[1], area.x0 - 30, area.y0 + area.H, area.H / 2, 0,
                           captionStyle());
    surface.TextAngle(0);
}

void ReportFrame::drawFooter(PrintSurface &surface, const ReportData &data, const ChartArea &area)
{
    TextBlockStyle style = frameStyle(10);
    style.alignment = PrintSurface::AlignLeftMiddle;
    TextBlockWriter::write(surface, footer(data), area.x0 - 2 * area.W / 12, area.y0 + area.H + 42,
                           0, 6, style);
}

} // namespace ertragon::report
