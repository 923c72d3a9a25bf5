#pragma once

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

/// Owns one PDU until net-snmp takes it over (release) or the owner goes out of scope.
class PduOwner final {
public:
    explicit PduOwner(netsnmp_pdu* pdu) : m_pdu(pdu) {}
    ~PduOwner()
    {
        if (m_pdu)
            snmp_free_pdu(m_pdu);
    }
    PduOwner(const PduOwner&) = delete;
    PduOwner& operator=(const PduOwner&) = delete;

    netsnmp_pdu* get() const { return m_pdu; }
    /// Hands the PDU over; the owner forgets it.
    netsnmp_pdu* release()
    {
        netsnmp_pdu* pdu = m_pdu;
        m_pdu = nullptr;
        return pdu;
    }

private:
    netsnmp_pdu* m_pdu;
};

/// One net-snmp single-session handle (the opaque pointer of snmp_sess_open).
class SessionOwner final {
public:
    SessionOwner() = default;
    explicit SessionOwner(void* handle) : m_handle(handle) {}
    ~SessionOwner() { reset(); }
    SessionOwner(const SessionOwner&) = delete;
    SessionOwner& operator=(const SessionOwner&) = delete;

    void* get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    /// Closes the session held so far and takes handle (may be null).
    void reset(void* handle = nullptr)
    {
        if (m_handle)
            snmp_sess_close(m_handle);
        m_handle = handle;
    }

private:
    void* m_handle = nullptr;
};

/// net-snmp's file-descriptor set, sized for any descriptor number.
class LargeFdSet final {
public:
    LargeFdSet() { netsnmp_large_fd_set_init(&m_set, FD_SETSIZE); }
    ~LargeFdSet() { netsnmp_large_fd_set_cleanup(&m_set); }
    LargeFdSet(const LargeFdSet&) = delete;
    LargeFdSet& operator=(const LargeFdSet&) = delete;

    netsnmp_large_fd_set* get() { return &m_set; }
    /// Clears the set and adds fd, when fd is a descriptor.
    void only(int fd)
    {
        NETSNMP_LARGE_FD_ZERO(&m_set);
        if (fd >= 0)
            NETSNMP_LARGE_FD_SET(fd, &m_set);
    }

private:
    netsnmp_large_fd_set m_set;
};
