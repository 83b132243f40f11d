// SPDX-License-Identifier: GPL-3.0-or-later
// Wording the checker's verdict for a teacher.
#include "verdictpanel.h"

#include "analysis.h"
#include "words.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {

VerdictPanel::VerdictPanel(QWidget* parent)
    : QWidget(parent)
    , verdict_(new QLabel(this))
    , detail_(new QLabel(this))
    , grade_(new QLabel(this))
    , suggestText_(new QLabel(this))
    , suggest_(new QPushButton(this))
    , problems_(new QListWidget(this))
{
    setObjectName(QStringLiteral("Verdetto"));
    verdict_->setObjectName(QStringLiteral("VerdettoTitolo"));
    detail_->setObjectName(QStringLiteral("VerdettoDettaglio"));
    problems_->setObjectName(QStringLiteral("Problemi"));
    grade_->setObjectName(QStringLiteral("Grado"));
    grade_->setWordWrap(true);
    QFont big = verdict_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    verdict_->setFont(big);
    verdict_->setWordWrap(true);
    detail_->setWordWrap(true);
    problems_->setWordWrap(true);
    problems_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addWidget(detail_);
    layout->addWidget(grade_);
    layout->addWidget(suggestText_);
    layout->addWidget(suggest_);
    suggestText_->setWordWrap(true);
    suggestText_->hide();
    suggest_->setObjectName(QStringLiteral("Suggerimento"));
    suggest_->setFocusPolicy(Qt::NoFocus);
    suggest_->hide();
    connect(suggest_, &QPushButton::clicked, this, &VerdictPanel::applySuggestion);
    layout->addWidget(problems_, 1);
    setMinimumWidth(240);
    showChecking();
}

void VerdictPanel::showChecking()
{
    last_.reset();
    verdict_->setText(word("Editor.VerdettoInCorso.Caption", QStringLiteral("Controllo in corso…")));
    verdict_->setStyleSheet(QStringLiteral("color: gray"));
    detail_->clear();
    grade_->clear();
    suggestText_->hide();
    suggest_->hide();
}

namespace {

// The grade for a teacher: the level and its reason in plain words.
QString gradeWords(const schemetools::Grade& grade)
{
    const QString level = grade.level == schemetools::GradeLevel::Easy
        ? word("Editor.GradoFacile.Caption", QStringLiteral("Facile"))
        : grade.level == schemetools::GradeLevel::Medium
        ? word("Editor.GradoMedio.Caption", QStringLiteral("Medio"))
        : word("Editor.GradoDifficile.Caption", QStringLiteral("Difficile"));
    QString reason;
    if (grade.needsGuess) {
        reason = word("Editor.GradoTentativo.Caption",
            QStringLiteral("serve tirare a indovinare (%1 caselle restano aperte)"))
                     .arg(grade.open);
    } else if (grade.level == schemetools::GradeLevel::Easy) {
        reason = grade.passes <= 1 ? word("Editor.GradoUnaPassata.Caption",
                     QStringLiteral("ogni riga e colonna si completa alla prima passata"))
                                   : word("Editor.GradoPassate.Caption",
                                       QStringLiteral("ogni riga e colonna si completa in al più %1 passate"))
                                         .arg(grade.passes);
    } else {
        const QString line = grade.lastIsColumn
            ? word("Editor.GradoColonna.Caption", QStringLiteral("la colonna %1")).arg(grade.lastLine + 1)
            : word("Editor.GradoRiga.Caption", QStringLiteral("la riga %1")).arg(grade.lastLine + 1);
        reason = word("Editor.GradoUltimaRiga.Caption",
            QStringLiteral("%1 si completa solo alla passata %2: servono prima le altre righe e colonne"))
                     .arg(line)
                     .arg(grade.passes);
    }
    return QStringLiteral("<b>%1</b>: %2").arg(level, reason.toHtmlEscaped());
}

} // namespace

void VerdictPanel::showSuggestion(std::optional<int> cell)
{
    if (!last_)
        return;
    last_->suggestion = cell;
    showAnalysis(*last_);
}

void VerdictPanel::retranslate()
{
    if (last_)
        showAnalysis(*last_);
    else
        showChecking();
}

void VerdictPanel::showAnalysis(const Analysis& analysis)
{
    if (!last_ || &analysis != &*last_)
        last_ = analysis;
    const schemetools::CheckResult& check = analysis.check;
    const int open = static_cast<int>(std::count(analysis.open.begin(), analysis.open.end(), true));
    const int differ = static_cast<int>(std::count(analysis.differs.begin(), analysis.differs.end(), true));
    QString verdict;
    QString detail;
    QString color;
    switch (check.verdict) {
    case schemetools::Verdict::UniqueLine:
        verdict = word("Editor.VerdettoRigaPerRiga.Caption", QStringLiteral("Risolvibile riga per riga"));
        detail = word("Editor.VerdettoRigaPerRigaSpiegazione.Caption",
            QStringLiteral("Il disegno è l'unico che corrisponde agli indizi, e si trova ragionando su una "
                           "riga o una colonna alla volta."));
        color = QStringLiteral("#106010");
        break;
    case schemetools::Verdict::UniqueTrial:
        verdict = word("Editor.VerdettoTentativo.Caption", QStringLiteral("Unico, ma serve un tentativo"));
        detail = word("Editor.VerdettoTentativoSpiegazione.Caption",
            QStringLiteral("Il ragionamento riga per riga lascia aperte %1 caselle (segnate in arancione): "
                           "per finire bisogna tirare a indovinare."))
                     .arg(open);
        color = QStringLiteral("#A06000");
        break;
    case schemetools::Verdict::NotUnique:
        verdict = word("Editor.VerdettoNonUnico.Caption", QStringLiteral("Non unico"));
        detail = word("Editor.VerdettoNonUnicoSpiegazione.Caption",
            QStringLiteral("Un altro disegno ha gli stessi indizi: le %1 caselle in cui differisce sono "
                           "segnate in rosso."))
                     .arg(differ);
        color = QStringLiteral("#B01010");
        break;
    case schemetools::Verdict::Undecided:
        verdict = word("Editor.VerdettoNonDeciso.Caption", QStringLiteral("Non deciso"));
        detail = word("Editor.VerdettoNonDecisoSpiegazione.Caption",
            QStringLiteral("La ricerca si è fermata al suo limite prima di sapere se il disegno è l'unico."));
        color = QStringLiteral("#A06000");
        break;
    case schemetools::Verdict::Error:
        verdict = word("Editor.VerdettoErrore.Caption", QStringLiteral("Errore"));
        detail = word("Editor.VerdettoErroreSpiegazione.Caption",
            QStringLiteral("Lo schema così non si può giocare: vedi sotto."));
        color = QStringLiteral("#B01010");
        break;
    }
    verdict_->setText(verdict);
    verdict_->setStyleSheet(QStringLiteral("color: %1").arg(color));
    detail_->setText(detail);
    grade_->setText(check.grade ? gradeWords(*check.grade) : QString());
    if (analysis.suggestion) {
        // Shown on the board as a green ring; the button applies it.
        suggestText_->setText(word("Editor.Suggerimento.Caption",
            QStringLiteral("Suggerimento: cambia la casella di riga %1, colonna %2"))
                                  .arg(*analysis.suggestion / engine::GridSize + 1)
                                  .arg(*analysis.suggestion % engine::GridSize + 1));
        suggest_->setText(
            word("Editor.ApplicaSuggerimento.Caption", QStringLiteral("Applica il suggerimento")));
        suggestText_->show();
        suggest_->show();
    } else {
        suggestText_->hide();
        suggest_->hide();
    }
    problems_->clear();
    for (const schemetools::Problem& problem : check.problems)
        problems_->addItem(QString::fromStdString(problem.message));
}

QString VerdictPanel::verdictText() const
{
    return verdict_->text();
}

QString VerdictPanel::suggestionText() const
{
    return suggestText_->isHidden() ? QString() : suggestText_->text();
}

QString VerdictPanel::gradeText() const
{
    return grade_->text();
}

QString VerdictPanel::detailText() const
{
    return detail_->text();
}

QStringList VerdictPanel::problems() const
{
    QStringList list;
    for (int i = 0; i < problems_->count(); ++i)
        list << problems_->item(i)->text();
    return list;
}

} // namespace editor
