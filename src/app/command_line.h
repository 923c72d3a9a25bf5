#pragma once

#include <QString>
#include <QStringList>

class Settings;

/// The window the -MIB options of one command line fill, as the parser sees it.
class CommandLineWindow {
public:
    virtual ~CommandLineWindow() = default;
    virtual void GraphMIB(const QString& target, const QString& community, const QString& mib,
                          const QString& index, const QString& instance, const QString& calculation,
                          const QString& hostname) = 0;
    virtual void setLogFilename(const QString& fileName) = 0;
    virtual void setLoggingEnabled(bool enabled) = 0;
};

/// Opens windows for the parser. Either operation may throw; the parser then shows the usage.
class CommandLineHost {
public:
    virtual ~CommandLineHost() = default;
    /// A new, shown, empty graph window; it stays owned by the host.
    virtual CommandLineWindow* NewGraphWindow() = 0;
    /// A new, shown graph window loaded from the file (whatever the load returns).
    virtual void OpenGraphFile(const QString& fileName) = 0;
};

/// The program's arguments as one command-line text: the arguments after the program path,
/// joined with single spaces. A shell has already split the user's line at blanks and removed
/// its quotes, so joining restores the single-space form the parser splits again; an argument
/// that held a space (a quoted file name) comes back as two tokens that -F joins again.
QString CommandLineText(const QStringList& arguments);

/// Splits at every single space: two spaces in a row give an empty token. Nothing is unquoted.
QStringList CommandLineTokens(const QString& text);

/// Turns a command line into graph windows. A plain class: the windows come from the host.
class CommandLineParser {
public:
    enum class Outcome {
        Done,     ///< every token was handled
        Usage,    ///< the usage text is to be shown and the process ended
        Examples, ///< the examples text is to be shown and the process ended
    };

    CommandLineParser(CommandLineHost& host, Settings& settings);

    Outcome Parse(const QString& commandLine);
    /// Why the last Parse ended in Usage; empty when the user asked for help.
    QString Error() const { return m_error; }

    /// The message-box title of both help texts.
    static QString Title();
    static QStringList UsageLines();
    static QStringList ExamplesLines();

private:
    struct State;
    Outcome ParseTokens(const QStringList& tokens, State& state);
    int OpenFiles(const QStringList& tokens, int i);
    void GraphMIB(State& state, const QString& mib);

    CommandLineHost& m_host;
    Settings& m_settings;
    QString m_error;
};
