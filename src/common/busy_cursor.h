#pragma once

/// Shows the busy pointer for its lifetime. Does nothing when there is no GUI application
/// (command-line tools and non-GUI tests), so slow code can use it unconditionally.
class BusyCursor final {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool m_active = false;
};
