#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class Clock;
class GraphWindow;
class Graphs;
class Prompter;
class Settings;

/// The program's root object: opens graph windows and reaches them through Graphs. Windows
/// outlive it: destroying an Application closes none.
class Application : public QObject {
    Q_OBJECT
public:
    /// prompter is handed to every window (tests); null gives each window real dialogs.
    Application(::Settings& settings, Clock& clock, Prompter* prompter = nullptr, QObject* parent = nullptr);
    ~Application() override;

    /// The first Application created while none was current; it stays current until destroyed.
    static Application* current();

    /// The program-wide settings every graph shares.
    ::Settings& Settings() const { return m_settings; }
    /// The collection, created and filled on first use, the same object afterwards.
    ::Graphs& Graphs();

    /// A new graph window, loaded but not shown.
    GraphWindow* CreateGraphWindow();
    /// A new, empty graph window, shown modeless.
    GraphWindow* NewGraphWindow();
    /// A new window, shown, then its control loads the file; the window stays whatever the load says.
    GraphWindow* OpenGraphFile(const QString& fileName);
    /// Adds the object to a new window, which is shown even when GraphMIB told of a problem.
    void GraphMIB(const QString& target, const QString& community, const QString& mib,
                  const QString& index = QString(), const QString& instance = QString(),
                  const QString& calculation = QString(), const QString& hostname = QString());
    /// Closes every graph window, oldest first, running their closing steps.
    void Shutdown();
    /// Shows the about box once the caller has returned, so a client's call does not wait on it.
    void ShowSplashScreen();

    /// The program's file description.
    QString Name() const;
    /// "major.minor.revision".
    QString Version() const;
    /// "Version major.minor" and the executable's modification month ("Version 3.1 May 2025").
    QString Release() const;
    /// The primary screen's size in twips.
    qint32 ScreenWidth() const;
    qint32 ScreenHeight() const;

Q_SIGNALS:
    /// Every window the application makes, before it is shown.
    void GraphWindowCreated(GraphWindow* window);

private:
    ::Settings& m_settings;
    Clock& m_clock;
    Prompter* m_prompter;
    std::unique_ptr<::Graphs> m_graphs;
    mutable QString m_release;
};
