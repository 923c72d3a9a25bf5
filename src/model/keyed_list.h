#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <common_functions.h>
#include <memory>
#include <vector>

/// An ordered list with O(1) lookup by key, as the published collections need: items are reached by
/// key text or 1-based position and walked in order. Holder is std::unique_ptr<T> for a list that
/// owns its items, T* for one that only refers to them. A key added twice keeps its first item.
template <typename T, typename Holder = std::unique_ptr<T>>
class KeyedList {
public:
    class const_iterator {
    public:
        using Base = typename std::vector<Holder>::const_iterator;
        explicit const_iterator(Base base) : m_base(base) {}
        T* operator*() const { return Raw(*m_base); }
        const_iterator& operator++()
        {
            ++m_base;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_base == other.m_base; }
        bool operator!=(const const_iterator& other) const { return m_base != other.m_base; }

    private:
        Base m_base;
    };

    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }
    /// Item at 0-based position.
    T* At(int position) const { return Raw(m_items.at(size_t(position))); }
    T* Find(const QString& key) const { return m_byKey.value(key, nullptr); }

    /// A text is a key, a number a 1-based position (rounded half to even); nullptr for no match.
    T* Item(const QVariant& key) const
    {
        if (key.typeId() == QMetaType::QString)
            return Find(key.toString());
        bool numeric = false;
        const double number = key.toDouble(&numeric);
        if (!numeric || key.typeId() == QMetaType::Bool || key.typeId() == QMetaType::QByteArray)
            return nullptr;
        const long long position = RoundHalfEven(number);
        if (position < 1 || position > static_cast<long long>(m_items.size()))
            return nullptr;
        return Raw(m_items[size_t(position - 1)]);
    }

    void Append(const QString& key, Holder item)
    {
        if (!m_byKey.contains(key))
            m_byKey.insert(key, Raw(item));
        m_items.push_back(std::move(item));
    }

    /// Takes the item out of the list and hands it back (empty when it is not in the list).
    Holder Take(T* item)
    {
        for (auto it = m_items.begin(); it != m_items.end(); ++it) {
            if (Raw(*it) != item)
                continue;
            Holder taken = std::move(*it);
            m_items.erase(it);
            for (auto key = m_byKey.begin(); key != m_byKey.end(); ++key) {
                if (key.value() == item) {
                    m_byKey.erase(key);
                    break;
                }
            }
            return taken;
        }
        return Holder();
    }

    void Clear()
    {
        m_byKey.clear();
        m_items.clear();
    }

private:
    static T* Raw(const std::unique_ptr<T>& item) { return item.get(); }
    static T* Raw(T* item) { return item; }

    std::vector<Holder> m_items;
    QHash<QString, T*> m_byKey;
};
