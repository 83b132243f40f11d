// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the window: the fit rule and drawing one page on a printer.
#include "printing.h"

#include "fonts.h"

#include <QPainter>
#include <QPrinter>

#include <stdexcept>

namespace window {

const QStringList& printHiddenControls()
{
    static const QStringList names {"Label1", "BitBtn1", "RichiamaLingua1", "RichiamaLingua2",
        "RichiamaLingua3", "StampaCrucintarsio", "CaricaSchemi", "CheckBox1", "Esci", "Shape1"};
    return names;
}

const QStringList& printShownControls()
{
    static const QStringList names {"StampaCrucintarsio", "CaricaSchemi", "Esci", "Label1", "RichiamaLingua1",
        "RichiamaLingua2", "RichiamaLingua3", "Shape1", "BitBtn1", "CheckBox1"};
    return names;
}

QRect fitOnPage(QSize image, QSize page)
{
    if (image.isEmpty() || page.isEmpty())
        return {};
    const int width = widgets::mulDiv(image.width(), page.height(), image.height());
    if (width < page.width())
        return {0, 0, width, page.height()};
    return {0, 0, page.width(), widgets::mulDiv(image.height(), page.width(), image.width())};
}

void printImage(QPrinter& printer, const QImage& image)
{
    // Without a printer Qt falls back to a native printer without a name, or to a PDF
    // printer without a file: either way there is nowhere to print to.
    const bool noPrinter = printer.outputFormat() == QPrinter::NativeFormat
        ? printer.printerName().isEmpty()
        : printer.outputFileName().isEmpty();
    if (noPrinter || !printer.isValid())
        throw std::runtime_error("Printing failed: no printer is installed");
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("Printing failed: the printer could not start the page");
    const QRect target = fitOnPage(image.size(), QSize(printer.width(), printer.height()));
    painter.drawImage(target, image);
    if (!painter.end())
        throw std::runtime_error("Printing failed: the page could not be sent to the printer");
}

} // namespace window
