// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict panel: the check of the drawing in words a teacher understands, with the
// checker's problems listed below it.
#pragma once

#include "analysis.h"

#include <QWidget>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace editor {

class VerdictPanel : public QWidget {
    Q_OBJECT

public:
    explicit VerdictPanel(QWidget* parent = nullptr);

    // A check of the drawing now shown is under way.
    void showChecking();
    void showAnalysis(const Analysis& analysis);
    // The suggestion found for the analysis shown (none: no single cell helps).
    void showSuggestion(std::optional<int> cell);
    // Words again in the language chosen.
    void retranslate();

    // What the panel says, for the status of the window and for tests.
    QString verdictText() const;
    QString detailText() const;
    QString gradeText() const;
    QStringList problems() const;
    // The button that applies the suggestion (hidden when there is none).
    QPushButton& suggestionButton() { return *suggest_; }
    // Where the suggestion is, in words.
    QString suggestionText() const;

signals:
    void applySuggestion();

private:
    QLabel* verdict_;
    QLabel* detail_;
    QLabel* grade_;
    QLabel* suggestText_;
    QPushButton* suggest_;
    std::optional<Analysis> last_;
    QListWidget* problems_;
};

} // namespace editor
