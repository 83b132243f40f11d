// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a drawing into the editor: a picture with a live preview (threshold, fit to 21 x 21,
// invert), a .non puzzle or a text grid, each read by the schemetools importers.
#pragma once

#include "bitmap.h"
#include "importer.h"

#include <QByteArray>
#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QSlider;

namespace editor {

class ImportDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the file at once; throws schemetools::InputError (without the file's name) when it
    // cannot be read or is no source the importers take.
    ImportDialog(const QString& path, QWidget* parent = nullptr);

    QSlider& threshold() { return *threshold_; }
    QCheckBox& fit() { return *fit_; }
    QCheckBox& invert() { return *invert_; }
    // The drawing with the settings now chosen, or nothing (with the reason shown) when they
    // give none.
    const std::optional<schemetools::Bitmap>& drawing() const { return drawing_; }
    QString message() const;

private:
    void update();

    schemetools::SourceKind kind_;
    QByteArray picture_; // the picture file's bytes
    std::optional<schemetools::Bitmap> drawing_;
    QSlider* threshold_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QCheckBox* invert_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* message_ = nullptr;
    class QPushButton* ok_ = nullptr;
};

} // namespace editor
