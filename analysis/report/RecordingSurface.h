#pragma once

#include "PageOperation.h"
#include "PrintSurface.h"

#include <functional>
#include <memory>

class QPrinter;

namespace ertragon::report {

class PrintJob;
class TextMeasurer;

// A print surface that records every setting and drawing of a document as
// pages of operations; renderers paint them afterwards onto any device.
class RecordingSurface : public PrintSurface
{
public:
    // Without a measurer the font metrics are used.
    explicit RecordingSurface(std::shared_ptr<const TextMeasurer> measurer = {});
    ~RecordingSurface() override;

    const PageDocument &document() const { return m_document; }
    bool documentOpen() const { return m_open; }
    // Called by PrintDocument with the finished document instead of printing it.
    void setPrintHandler(std::function<void(const PageDocument &)> print);
    // The printer PrintDocument prints on, each call a job of its own; none prints nothing.
    void setPrinter(QPrinter *printer) { m_printer = printer; }
    QPrinter *printer() const { return m_printer; }
    // While set, PrintDocument adds the document to this job instead.
    void setPrintJob(PrintJob *job) { m_job = job; }

    void setPaperKind(int kind) override;
    int paperKind() const override { return m_paperKind; }
    void setPageOrientation(int orientation) override;
    int pageOrientation() const override { return m_orientation; }
    void setPreviewMode(bool on) override { m_previewMode = on; }
    bool previewMode() const { return m_previewMode; }

    void BeginDocument() override;
    // Starts another page of the open document.
    void NewPage();
    void EndDocument() override;
    void Refresh() override { }

    void FontFace(const QString &face) override;
    void FontPoints(double points) override;
    void TextColour(int rgb) override;
    void TextAlignment(int code) override;
    void TextAngle(int tenthsOfDegree) override;
    void PenColour(int rgb) override;
    void PenPattern(int pattern) override;
    void PenThickness(double twips) override;
    void FillColour(int rgb) override;
    void FillPattern(int pattern) override;

    void setMeasureParameters(double first, double second) override;
    QSizeF MeasureText(const QString &text) override;

    void TextBlock(const QString &text, double left, double top, double width, double height,
                   bool wrap, bool transparent) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    void DrawRectangle(double x1, double y1, double x2, double y2) override;
    void DrawCircle(double x, double y, double radius) override;

    double ZoomPercent() const override { return m_zoomPercent; }
    void setZoomPercent(double percent) override;
    int ZoomMode() const override { return m_zoomMode; }
    void setZoomMode(int mode) override;
    int PreviewPage() const override { return m_previewPage; }
    void setPreviewPage(int page) override;
    int PreviewPages() const override;
    int PageCount() const override { return m_document.pageCount(); }
    void PrintDocument(bool showDialog) override;

protected:
    // Hooks for views: the document was ended, the page set-up changed.
    virtual void documentEnded() { }
    virtual void pageSetupChanged() { }
    virtual void viewChanged() { }

private:
    void record(const PageOperation &op);

    std::shared_ptr<const TextMeasurer> m_measurer;
    PageDocument m_document;
    bool m_open = false;
    bool m_previewMode = true;
    int m_paperKind = PaperA4;
    int m_orientation = Landscape;
    QString m_face = QStringLiteral("Arial");
    double m_points = 10;
    double m_zoomPercent = 100;
    int m_zoomMode = ZoomWholePage;
    int m_previewPage = 1;
    std::function<void(const PageDocument &)> m_print;
    QPrinter *m_printer = nullptr;
    PrintJob *m_job = nullptr;
};

} // namespace ertragon::report
