#include "transfer/Proxies.h"

#include "core/MessageCatalogue.h"
#include "core/XmlFallbacks.h"

#include <algorithm>
#include <sstream>

void TProxyItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name);
    ReadChild(element, "Addres", Addres);
    ReadChildOr(element, "Type", ProxyType, 1);
    // Only the low 16 bits of a larger number are a port.
    int64_t port = Port;
    ReadChildOr<int64_t>(element, "Port", port, 3128);
    Port = uint16_t(port);
    ReadChild(element, "ProxyUserName", ProxyUserName);
    ReadChild(element, "ProxyUserPassword", ProxyUserPassword);
    ReadChildOr(element, "ProxyProtocolHTTP", ProxyProtocolHTTP, true);
    ReadChildOr(element, "ProxyProtocolFTP", ProxyProtocolFTP, true);
    ReadChildOr(element, "UseProxyAuthentication", UseProxyAuthentication, false);
}

void TProxyItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("Proxy");
    WriteChild(element, "Name", Name);
    WriteChild(element, "Addres", Addres);
    WriteChild(element, "Port", uint32_t(Port));
    WriteChild(element, "UseProxyAuthentication", UseProxyAuthentication);
    WriteChild(element, "ProxyUserName", ProxyUserName);
    WriteChild(element, "ProxyUserPassword", ProxyUserPassword);
    WriteChild(element, "ProxyProtocolHTTP", ProxyProtocolHTTP);
    WriteChild(element, "ProxyProtocolFTP", ProxyProtocolFTP);
    WriteChild(element, "Type", ProxyType);
}

TProxyCollection::TProxyCollection(IMessageBoxPort& boxes) : TFiledCollection(boxes, 0600) {}

TProxyItem& TProxyCollection::AddProxy(const std::string& name)
{
    TProxyItem& proxy = Add();
    proxy.Name = name;
    return proxy;
}

bool TProxyCollection::NameExists(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Name == name)
            return true;
    return false;
}

bool TProxyCollection::HasEmptyAddress() const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Addres.empty())
            return true;
    return false;
}

void TProxyCollection::DeleteEmptyAddresses()
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i).Addres.empty())
            Delete(i);
}

void TProxyCollection::Assign(const TProxyCollection& source)
{
    if (&source == this)
        return;
    File_.SetFileName(source.FileName());
    DefaultProxyHTTP = source.DefaultProxyHTTP;
    DefaultProxyFTP = source.DefaultProxyFTP;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add() = source[i];
}

std::vector<TProxyCollection::TChoice> TProxyCollection::Choices(bool ftp) const
{
    std::vector<TChoice> choices{{Translate("sProxyNone"), kDirect}, {Translate("sProxyFromIE"), kSystem}};
    for (int i = 0; i < Count(); ++i)
        if (ftp ? Items(i).ProxyProtocolFTP : Items(i).ProxyProtocolHTTP)
            choices.push_back({Items(i).Name, kFirstProxy + i});
    return choices;
}

bool TProxyCollection::IsChoice(int way, bool ftp) const
{
    if (way == kDirect || way == kSystem)
        return true;
    const int index = way - kFirstProxy;
    return index >= 0 && index < Count() && (ftp ? Items(index).ProxyProtocolFTP : Items(index).ProxyProtocolHTTP);
}

platform::inet::TInetProxy TProxyCollection::Route(bool ftp, const std::string& bypass) const
{
    using platform::inet::TInetProxy;
    TInetProxy route;
    route.Bypass = bypass;
    const int way = ftp ? DefaultProxyFTP : DefaultProxyHTTP;
    if (!IsChoice(way, ftp) || way == kSystem)
        return route;
    if (way == kDirect) {
        route.Route = TInetProxy::prDirect;
        return route;
    }
    const TProxyItem& proxy = Items(way - kFirstProxy);
    route.Route = TInetProxy::prServer;
    route.Host = proxy.Addres;
    route.Port = proxy.Port;
    if (proxy.UseProxyAuthentication) {
        route.User = proxy.ProxyUserName;
        route.Password = proxy.ProxyUserPassword;
    }
    return route;
}

void TProxyCollection::ResetBeforeLoad()
{
    DefaultProxyHTTP = kSystem;
    DefaultProxyFTP = kSystem;
}

void TProxyCollection::ReadFromNode(pugi::xml_node root)
{
    ReadChildOr(root, "DefaultProxyFTP", DefaultProxyFTP, 0);
    ReadChildOr(root, "DefaultProxyHTTP", DefaultProxyHTTP, 0);
    if (pugi::xml_node proxies = root.child("Proxies"))
        TOwnedCollection::ReadFromNode(proxies);
}

void TProxyCollection::WriteToNode(pugi::xml_node root) const
{
    WriteChild(root, "DefaultProxyFTP", DefaultProxyFTP);
    WriteChild(root, "DefaultProxyHTTP", DefaultProxyHTTP);
    TOwnedCollection::WriteToNode(root.append_child("Proxies"));
}

std::string NoProxyList(const std::string& bypass)
{
    std::string text = bypass;
    std::replace_if(text.begin(), text.end(), [](char c) { return c == ';' || c == ','; }, ' ');
    std::istringstream words(text);
    std::string list;
    for (std::string word; words >> word;) {
        if (word.rfind("*.", 0) == 0 && word.find('*', 1) == std::string::npos)
            word.erase(0, 1);   // a domain: ".lan" matches its hosts
        else if (word != "*" && (word.find('*') != std::string::npos || word == "<local>"))
            continue;
        list += (list.empty() ? "" : ",") + word;
    }
    return list;
}
