#pragma once

#include <QDBusContext>
#include <QDBusError>
#include <QObject>
#include <exception>
#include <stdexcept>
#include <type_traits>

class AutomationLifetime;

/// A call on an object below a graph (a series, an axis) that has left it.
class ObjectGoneError : public std::runtime_error {
public:
    ObjectGoneError() : std::runtime_error("the object is no longer part of its graph") {}
};

/// Base of the objects the generated adaptors forward to. Call() runs one member so that no
/// exception crosses an adaptor: a closed window or a gone series or axis answers the caller
/// UnknownObject, an index out of range InvalidArgs, any other
/// failure net.brightfen.Trendwick.Error.<kind> with the program's message. Every call also
/// tells the lifetime watcher that a client is about.
class AutomationObject : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    AutomationObject(AutomationLifetime& lifetime, QObject* parent = nullptr);

protected:
    template <class F>
    auto Call(F&& member) -> std::invoke_result_t<F>
    {
        NoteCaller();
        try {
            return member();
        } catch (...) {
            Fail(std::current_exception());
        }
        if constexpr (!std::is_void_v<std::invoke_result_t<F>>)
            return {};
    }

private:
    void NoteCaller();
    /// Turns the failure into the caller's error reply; property reads cannot carry one and
    /// answer the type's empty value.
    void Fail(std::exception_ptr failure);

    AutomationLifetime& m_lifetime;
};
