// SPDX-License-Identifier: GPL-3.0-or-later
// The component tree: every control and non-visual part has a Name, an owner and the
// ordered list of components it owns. Ownership is not Qt's visual parenting: the main
// window owns every control whatever panel shows it.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringView>

#include <vector>

namespace widgets {

// Lower-cases the ASCII letters A..Z only; every other character stays as it is.
QString asciiLower(QStringView text);
// Compares two names ignoring the case of ASCII letters only.
bool sameAsciiName(QStringView a, QStringView b);

// Mixed into a QObject subclass (after the Qt base) to give it a place in the tree.
// The component's Name is also its object's objectName, kept equal here for every component,
// so that Qt's own tools (findChild, style sheets, debug output) see the same name.
// A component does not own its owned components' memory: Qt parenting does that. When a
// component is destroyed it leaves its owner, and the owner tells every component it owns
// (Notification), so that a scaling panel can drop the handler of a vanished control.
class Component {
public:
    enum class Operation { Insert, Remove };

    // self is the QObject this component is mixed into; owner may be null.
    explicit Component(QObject* self, Component* owner = nullptr, const QString& name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // The process-wide root of the tree (the application object): it owns the top-level windows.
    static Component& application();

    QObject* object() const { return self_; }
    const QString& name() const { return name_; }
    // Renames the component and its object, and moves it in its owner's name index.
    void setName(const QString& name);

    Component* owner() const { return owner_; }
    int componentCount() const { return static_cast<int>(components_.size()); }
    Component* component(int index) const { return components_.at(static_cast<size_t>(index)); }
    // The first owned component (in ownership order) whose name matches, ignoring ASCII case;
    // null when there is none. Constant time: owned components are indexed by name.
    Component* findComponent(QStringView name) const;

    // Moves c into this component's list, at the end (c leaves its former owner first).
    void insertComponent(Component* c);
    // Takes c out of this component's list; c keeps living without an owner.
    void removeComponent(Component* c);

protected:
    // Called on every component owned by the same owner (and on the owner itself) when a
    // component is inserted into or removed from that owner.
    virtual void notification(Component* c, Operation operation);

private:
    void notifyAll(Component* c, Operation operation);
    void indexName(Component* c);
    void unindexName(Component* c);

    QObject* self_;
    Component* owner_ = nullptr;
    QString name_;
    std::vector<Component*> components_;
    QHash<QString, Component*> byName_; // key: asciiLower(name); the first in order wins
};

// The component of a QObject, or null when the object is not part of the tree.
Component* componentOf(QObject* object);

} // namespace widgets
