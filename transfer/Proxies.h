#pragma once

#include "core/XmlRecords.h"
#include "platform/inet/InetSession.h"

#include <cstdint>
#include <string>
#include <vector>

// A named HTTP proxy and the protocols it may serve.
class TProxyItem : public TXmlItem {
public:
    TProxyItem() = default;
    TProxyItem(const TProxyItem&) = default;
    TProxyItem& operator=(const TProxyItem&) = default;

    std::string Name;
    std::string Addres;
    int32_t ProxyType = 1;        // kept for the file; every proxy is an HTTP proxy
    uint16_t Port = 3128;
    std::string ProxyUserName;
    std::string ProxyUserPassword;  // plain text, as stored
    bool ProxyProtocolHTTP = true;
    bool ProxyProtocolFTP = true;
    bool UseProxyAuthentication = false;

    // A "Proxy" element of "proxies.xml".
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

// The proxies and the way HTTP and FTP transfers go, with their file "proxies.xml", which
// only its user may read: it holds the proxies' passwords. A way is 0 for straight to
// the server, 1 for the system's settings and 2 + n for proxy n.
class TProxyCollection : public TFiledCollection<TProxyItem> {
public:
    static constexpr int kDirect = 0;
    static constexpr int kSystem = 1;
    static constexpr int kFirstProxy = 2;

    explicit TProxyCollection(IMessageBoxPort& boxes);

    int32_t DefaultProxyHTTP = kSystem;
    int32_t DefaultProxyFTP = kSystem;

    // A proxy of that name with the item defaults.
    TProxyItem& AddProxy(const std::string& name);
    // Case-sensitive.
    bool NameExists(const std::string& name) const;
    bool HasEmptyAddress() const;
    void DeleteEmptyAddresses();
    // Copies the file name, both ways and every proxy.
    void Assign(const TProxyCollection& source);

    // The ways a protocol may take, in their order: none, the system's, then the proxies
    // that serve it, each with its way number.
    struct TChoice {
        std::string Name;
        int Way;
    };
    std::vector<TChoice> Choices(bool ftp) const;
    // Whether way names an entry of Choices(ftp).
    bool IsChoice(int way, bool ftp) const;

    // Where HTTP (and HTTPS) or FTP connections go; a way that names no proxy serving the
    // protocol means the system's settings. bypass lists the hosts a proxy is not used for
    // (as NoProxyList gives them).
    platform::inet::TInetProxy Route(bool ftp, const std::string& bypass) const;

    void ReadFromNode(pugi::xml_node root) override;
    void WriteToNode(pugi::xml_node root) const override;

private:
    const char* RootName() const override { return "ProxiesRoot"; }
    // Both ways are the system's unless the file says otherwise.
    void ResetBeforeLoad() override;
};

// The bypass addresses as the user types them (separated by ";", "," or blanks; "*.lan"
// for a domain, "<local>" for hosts without a dot) as a no_proxy list. What the list
// cannot say ("<local>", other patterns with "*") is left out.
std::string NoProxyList(const std::string& bypass);
