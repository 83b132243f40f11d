// SPDX-License-Identifier: GPL-3.0-or-later
// The component tree: ownership, names and the name index.
#include "component.h"

#include <algorithm>

namespace widgets {

QString asciiLower(QStringView text)
{
    QString result = text.toString();
    for (QChar& ch : result) {
        if (ch.unicode() >= u'A' && ch.unicode() <= u'Z')
            ch = QChar(ch.unicode() + (u'a' - u'A'));
    }
    return result;
}

bool sameAsciiName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + (u'a' - u'A'));
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + (u'a' - u'A'));
        if (x != y)
            return false;
    }
    return true;
}

Component::Component(QObject* self, Component* owner, const QString& name)
    : self_(self)
    , name_(name)
{
    if (self_)
        self_->setObjectName(name_);
    if (owner)
        owner->insertComponent(this);
}

Component::~Component()
{
    // Owned components outlive this list only as orphans: Qt destroys them later.
    for (Component* c : components_)
        c->owner_ = nullptr;
    components_.clear();
    byName_.clear();
    if (owner_)
        owner_->removeComponent(this);
}

Component& Component::application()
{
    static Component root(nullptr, nullptr, QStringLiteral("Application"));
    return root;
}

void Component::setName(const QString& name)
{
    if (owner_)
        owner_->unindexName(this);
    name_ = name;
    if (self_)
        self_->setObjectName(name_);
    if (owner_)
        owner_->indexName(this);
}

Component* Component::findComponent(QStringView name) const
{
    return byName_.value(asciiLower(name), nullptr);
}

void Component::insertComponent(Component* c)
{
    if (!c || c->owner_ == this)
        return;
    if (c->owner_)
        c->owner_->removeComponent(c);
    c->owner_ = this;
    components_.push_back(c);
    indexName(c);
    notifyAll(c, Operation::Insert);
}

void Component::removeComponent(Component* c)
{
    if (!c || c->owner_ != this)
        return;
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end())
        return;
    components_.erase(it);
    c->owner_ = nullptr;
    unindexName(c);
    notifyAll(c, Operation::Remove);
}

void Component::notification(Component*, Operation) { }

void Component::notifyAll(Component* c, Operation operation)
{
    notification(c, operation);
    // Copy: a handler may change the list (destroying a handler never does, but be safe).
    const std::vector<Component*> owned = components_;
    for (Component* x : owned)
        x->notification(c, operation);
}

void Component::indexName(Component* c)
{
    if (c->name_.isEmpty())
        return;
    const QString key = asciiLower(c->name_);
    auto it = byName_.find(key);
    if (it == byName_.end()) {
        byName_.insert(key, c);
        return;
    }
    // Keep the first in ownership order.
    for (Component* x : components_) {
        if (x == it.value())
            return;
        if (x == c) {
            it.value() = c;
            return;
        }
    }
}

void Component::unindexName(Component* c)
{
    if (c->name_.isEmpty())
        return;
    const QString key = asciiLower(c->name_);
    auto it = byName_.find(key);
    if (it == byName_.end() || it.value() != c)
        return;
    byName_.erase(it);
    for (Component* x : components_) {
        if (x != c && sameAsciiName(x->name_, c->name_)) {
            byName_.insert(key, x);
            return;
        }
    }
}

Component* componentOf(QObject* object)
{
    // Components are mixed into their QObject, so a cross-cast finds them.
    return dynamic_cast<Component*>(object);
}

} // namespace widgets
