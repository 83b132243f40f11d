// SPDX-License-Identifier: GPL-3.0-or-later
// The component tree through real controls: look-up by name ignoring ASCII case, the index
// kept right on rename, removal and destruction, and removal notices reaching the siblings.
#include "boardbox.h"
#include "component.h"
#include "label.h"
#include "timer.h"

#include <QtTest>

#include <memory>
#include <vector>

using namespace widgets;

namespace {

// A sibling that records the notices its owner passes on, as the scaling panel does.
class Listener : public QObject, public Component {
public:
    Listener(Component* owner)
        : Component(this, owner, QStringLiteral("Listener"))
    {
    }
    std::vector<std::pair<Component*, Operation>> notices;

protected:
    void notification(Component* c, Operation operation) override { notices.emplace_back(c, operation); }
};

} // namespace

class ComponentTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = std::make_unique<QWidget>();
        owner_ = std::make_unique<Component>(form_.get(), nullptr, QStringLiteral("Form1"));
    }
    void cleanup()
    {
        owner_.reset();
        form_.reset();
    }

    void findIgnoresAsciiCaseOnly_data();
    void findIgnoresAsciiCaseOnly();
    void ownershipIsNotParenting();
    void duplicateNamesFindTheFirstInOrder();
    void renameMovesTheIndex();
    void destructionAndRemovalLeaveTheIndex();
    void removalNoticesReachSiblings();

private:
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<Component> owner_;
};

void ComponentTest::findIgnoresAsciiCaseOnly_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found"); // empty: nothing found
    QTest::newRow("exact") << "suiEdit17"
                           << "suiEdit17";
    QTest::newRow("upper") << "SUIEDIT17"
                           << "suiEdit17";
    QTest::newRow("lower") << "suiedit693"
                           << "suiEdit693";
    QTest::newRow("first box") << "SuiEdit1"
                               << "suiEdit1";
    QTest::newRow("no box 0") << "suiEdit0"
                              << "";
    QTest::newRow("no box 694") << "suiEdit694"
                                << "";
    QTest::newRow("leading zero") << "suiEdit017"
                                  << "";
    QTest::newRow("blank inside") << "suiEdit 17"
                                  << "";
    QTest::newRow("prefix only") << "suiEdit"
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("label") << "LABEL4"
                           << "Label4";
    QTest::newRow("timer") << "timer1"
                           << "Timer1";
    // Only A..Z fold: a non-ASCII letter must match exactly.
    QTest::newRow("non-ASCII same") << "CITTà"
                                    << "Città";
    QTest::newRow("non-ASCII folded") << "CITTÀ"
                                      << "";
}

void ComponentTest::findIgnoresAsciiCaseOnly()
{
    QFETCH(QString, asked);
    QFETCH(QString, found);
    for (int n = 1; n <= 693; ++n)
        new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit%1").arg(n));
    new Label(form_.get(), owner_.get(), QStringLiteral("Label4"));
    new Timer(form_.get(), owner_.get(), QStringLiteral("Timer1"));
    new Label(form_.get(), owner_.get(), QStringLiteral("Città"));
    QCOMPARE(owner_->componentCount(), 696);

    Component* c = owner_->findComponent(asked);
    QCOMPARE(c ? c->name() : QString(), found);
}

// The form owns a box whatever panel shows it, and a component reaches its QObject and back.
void ComponentTest::ownershipIsNotParenting()
{
    QWidget panel(form_.get());
    auto* box = new BoardBox(&panel, owner_.get(), QStringLiteral("suiEdit5"));
    QCOMPARE(box->parentWidget(), &panel);
    QCOMPARE(box->owner(), owner_.get());
    QCOMPARE(owner_->findComponent(u"SUIEDIT5"), box);
    QCOMPARE(owner_->findComponent(u"suiEdit5")->object(), box);
    QCOMPARE(componentOf(box), box);
    QCOMPARE(componentOf(&panel), nullptr);
}

void ComponentTest::duplicateNamesFindTheFirstInOrder()
{
    auto* first = new Label(form_.get(), owner_.get(), QStringLiteral("Label1"));
    auto* second = new Label(form_.get(), owner_.get(), QStringLiteral("LABEL1"));
    QCOMPARE(owner_->findComponent(u"label1"), first);
    delete first;
    QCOMPARE(owner_->findComponent(u"label1"), second);
    auto* third = new Label(form_.get(), owner_.get(), QStringLiteral("label1"));
    QCOMPARE(owner_->findComponent(u"Label1"), second);
    second->setName(QStringLiteral("Label2"));
    QCOMPARE(owner_->findComponent(u"Label1"), third);
    QCOMPARE(owner_->findComponent(u"Label2"), second);
    // Renamed back, the earlier component in ownership order wins again.
    second->setName(QStringLiteral("Label1"));
    QCOMPARE(owner_->findComponent(u"Label1"), second);
}

void ComponentTest::renameMovesTheIndex()
{
    auto* box = new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit1"));
    QCOMPARE(box->objectName(), QStringLiteral("suiEdit1"));
    // Through the published Name as well as through the component; the object's name follows.
    QVERIFY(box->setProperty("Name", QStringLiteral("suiEdit2")));
    QCOMPARE(owner_->findComponent(u"suiEdit1"), nullptr);
    QCOMPARE(owner_->findComponent(u"SUIEDIT2"), box);
    QCOMPARE(box->objectName(), QStringLiteral("suiEdit2"));
    box->setName(QString());
    QCOMPARE(owner_->findComponent(u"suiEdit2"), nullptr);
    QCOMPARE(owner_->findComponent(u""), nullptr);
    QCOMPARE(box->objectName(), QString());
}

void ComponentTest::destructionAndRemovalLeaveTheIndex()
{
    std::vector<BoardBox*> boxes;
    for (int n = 1; n <= 5; ++n)
        boxes.push_back(new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit%1").arg(n)));
    delete boxes[2];
    QCOMPARE(owner_->findComponent(u"suiEdit3"), nullptr);
    QCOMPARE(owner_->componentCount(), 4);
    QCOMPARE(owner_->component(2), boxes[3]);
    QCOMPARE(owner_->findComponent(u"suiEdit4"), boxes[3]);

    owner_->removeComponent(boxes[0]);
    QCOMPARE(boxes[0]->owner(), nullptr);
    QCOMPARE(owner_->findComponent(u"suiEdit1"), nullptr);
    QCOMPARE(owner_->component(0), boxes[1]);

    // Another owner takes it; the first owner no longer finds it.
    Component other(form_.get(), nullptr, QStringLiteral("Other"));
    other.insertComponent(boxes[1]);
    QCOMPARE(owner_->findComponent(u"suiEdit2"), nullptr);
    QCOMPARE(other.findComponent(u"SUIEDIT2"), boxes[1]);
    QCOMPARE(owner_->componentCount(), 2);
    delete boxes[1];
    QCOMPARE(other.componentCount(), 0);
}

void ComponentTest::removalNoticesReachSiblings()
{
    Listener listener(owner_.get());
    auto* box = new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit1"));
    auto* timer = new Timer(form_.get(), owner_.get(), QStringLiteral("Timer1"));
    QCOMPARE(listener.notices.size(), size_t(2));
    QCOMPARE(listener.notices[0].first, box);
    QVERIFY(listener.notices[0].second == Component::Operation::Insert);

    listener.notices.clear();
    delete box;
    QCOMPARE(listener.notices.size(), size_t(1));
    QCOMPARE(listener.notices[0].first, static_cast<Component*>(box));
    QVERIFY(listener.notices[0].second == Component::Operation::Remove);

    listener.notices.clear();
    owner_->removeComponent(timer);
    QCOMPARE(listener.notices.size(), size_t(1));
    QCOMPARE(listener.notices[0].first, timer);
    QVERIFY(listener.notices[0].second == Component::Operation::Remove);
    delete timer;
    // An orphan's end tells nobody.
    QCOMPARE(listener.notices.size(), size_t(1));
}

QTEST_MAIN(ComponentTest)
#include "tst_component.moc"
