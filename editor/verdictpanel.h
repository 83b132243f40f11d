// The verdict panel: the check of the drawing in words a teacher understands, with the
// checker's problems listed below it.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

namespace editor {

struct Analysis;

class VerdictPanel : public QWidget {
    Q_OBJECT

public:
    explicit VerdictPanel(QWidget* parent = nullptr);

    // A check of the drawing now shown is under way.
    void showChecking();
    void showAnalysis(const Analysis& analysis);

    // What the panel says, for the status of the window and for tests.
    QString verdictText() const;
    QString detailText() const;
    QString gradeText() const;
    QStringList problems() const;

private:
    QLabel* verdict_;
    QLabel* detail_;
    QLabel* grade_;
    QListWidget* problems_;
};

} // namespace editor
