// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the window: the fit rule of the printed image and the page it is drawn on.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QStringList>

class QPrinter;

namespace window {

// The ten controls hidden while the window is printed, in the order they are hidden...
const QStringList& printHiddenControls();
// ...and the order in which they are shown again afterwards.
const QStringList& printShownControls();

// Where an image of the given size is drawn on a page of the given size (device pixels):
// from the page's top-left corner, as tall as the page when that keeps it narrower than the
// page, otherwise as wide as the page. Each scaled side is a product divided by the third
// value, rounded to the nearest integer. Empty sizes give an empty rectangle.
QRect fitOnPage(QSize image, QSize page);

// Prints image as one landscape page of printer, drawn by fitOnPage on its printable area.
// Throws std::runtime_error ("Printing failed: ...") when the printer is unusable or the
// page cannot be started.
void printImage(QPrinter& printer, const QImage& image);

} // namespace window
