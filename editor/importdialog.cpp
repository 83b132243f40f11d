// SPDX-License-Identifier: GPL-3.0-or-later
// The import dialog and its preview.
#include "importdialog.h"

#include "fileread.h"
#include "inputerror.h"
#include "pictureimport.h"
#include "words.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace editor {

namespace {

constexpr int PreviewCell = 12;

QPixmap previewOf(const std::optional<schemetools::Bitmap>& drawing)
{
    const int side = 21 * PreviewCell + 1;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    if (drawing) {
        for (int r = 0; r < drawing->height(); ++r) {
            for (int c = 0; c < drawing->width(); ++c) {
                if (drawing->filled(r, c))
                    p.fillRect(
                        c * PreviewCell, r * PreviewCell, PreviewCell, PreviewCell, QColor(0x20, 0x20, 0x20));
            }
        }
    }
    p.setPen(Qt::lightGray);
    for (int k = 0; k <= 21; ++k) {
        p.drawLine(k * PreviewCell, 0, k * PreviewCell, side);
        p.drawLine(0, k * PreviewCell, side, k * PreviewCell);
    }
    return pixmap;
}

} // namespace

ImportDialog::ImportDialog(const QString& path, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Importa"));
    setWindowTitle(word("Editor.ImportaTitolo.Caption", QStringLiteral("Importa un disegno")));
    const std::string file = path.toStdString();
    const auto kind = schemetools::sourceKindOf(file);
    if (!kind)
        throw schemetools::InputError("is not a picture, a .non puzzle or a text grid (.txt) by its name");
    kind_ = *kind;

    auto* layout = new QVBoxLayout(this);
    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("Anteprima"));
    layout->addWidget(preview_, 0, Qt::AlignCenter);
    message_ = new QLabel;
    message_->setWordWrap(true);
    layout->addWidget(message_);
    if (kind_ == schemetools::SourceKind::Picture) {
        const std::string bytes = schemetools::readCapped(file, schemetools::PictureFileCap);
        picture_ = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        QBuffer buffer(&picture_);
        buffer.open(QIODevice::ReadOnly);
        if (!QImageReader(&buffer).canRead())
            throw schemetools::InputError(
                "is not a picture that can be read (PNG, BMP, GIF, PBM, PGM, PPM, XPM, JPEG)",
                schemetools::Cause::NotAPicture);
        auto* form = new QFormLayout;
        threshold_ = new QSlider(Qt::Horizontal);
        threshold_->setObjectName(QStringLiteral("Soglia"));
        threshold_->setRange(1, 255);
        threshold_->setValue(schemetools::PictureOptions {}.threshold);
        fit_ = new QCheckBox(word("Editor.Adatta.Caption", QStringLiteral("Riduci a 21 × 21")));
        fit_->setObjectName(QStringLiteral("Adatta"));
        fit_->setChecked(true);
        invert_ = new QCheckBox(word("Editor.Inverti.Caption", QStringLiteral("Inverti chiaro e scuro")));
        invert_->setObjectName(QStringLiteral("Inverti"));
        form->addRow(word("Editor.Soglia.Caption", QStringLiteral("Soglia del grigio")), threshold_);
        form->addRow(fit_);
        form->addRow(invert_);
        layout->addLayout(form);
        connect(threshold_, &QSlider::valueChanged, this, &ImportDialog::update);
        connect(fit_, &QCheckBox::toggled, this, &ImportDialog::update);
        connect(invert_, &QCheckBox::toggled, this, &ImportDialog::update);
    } else {
        // A .non puzzle or a text grid has one drawing; an unusable one is refused at once.
        drawing_ = schemetools::importBitmap(file, kind_, {});
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(word("Editor.ImportaOk.Caption", QStringLiteral("Importa")));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(word("Editor.ImportaAnnulla.Caption", QStringLiteral("Annulla")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    update();
}

QString ImportDialog::message() const
{
    return message_->text();
}

void ImportDialog::update()
{
    if (kind_ == schemetools::SourceKind::Picture) {
        schemetools::PictureOptions options;
        options.threshold = threshold_->value();
        options.fit = fit_->isChecked();
        QByteArray bytes = picture_;
        if (invert_->isChecked()) {
            // Inverted before the importer sees it: light parts become the picture.
            QImage image;
            if (image.loadFromData(picture_)) {
                image = image.convertToFormat(QImage::Format_ARGB32);
                image.invertPixels(QImage::InvertRgb);
                QBuffer buffer(&bytes);
                bytes.clear();
                buffer.open(QIODevice::WriteOnly);
                image.save(&buffer, "PNG");
            }
        }
        try {
            drawing_ = schemetools::importPicture(bytes, options);
            message_->clear();
        } catch (const schemetools::InputError& error) {
            drawing_.reset();
            const QString cause = causeWord(error.cause());
            message_->setText(cause.isEmpty() ? QString::fromStdString(error.message()) : cause);
        }
    }
    if (drawing_ && message_->text().isEmpty())
        message_->setText(word("Editor.Anteprima.Caption", QStringLiteral("%1 × %2 caselle, %3 del disegno"))
                              .arg(drawing_->width())
                              .arg(drawing_->height())
                              .arg(drawing_->filledCount()));
    preview_->setPixmap(previewOf(drawing_));
    ok_->setEnabled(drawing_.has_value());
}

} // namespace editor
