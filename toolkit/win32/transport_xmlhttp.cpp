// The Win32 HTTP GET: the COM request object "MSXML2.XMLHTTP" (or
// "Microsoft.XMLHTTP"), driven late-bound by name: open("GET", url, async),
// send(), responseBody.
//
// A synchronous XMLHTTP request cannot be bounded in time (no option does it,
// and abort() from another thread blocks until the request ends), and under
// Wine some never end at all: after a connection reset, on a redirect loop
// (followed without end), on a server that never answers. So the whole
// request runs on a worker thread with its own COM apartment, asynchronously:
// the worker pumps its messages and aborts the request itself, from its own
// thread, once the time is up or the declared length is over the limit. The
// caller waits for it until the total time-out and, past it, abandons it: the
// worker ends on state that it co-owns, and the caller never touches its
// request object. The caller processes no window events while it waits, as a
// synchronous request would not.
//
// What no call can stop is a body arriving faster than the request object
// takes it in (a large body, a gzip body it inflates): it reads all of it
// within one message, and the worker sees the end of the time or the declared
// length only afterwards. The caller's wait bounds the fetch all the same;
// the abandoned worker holds what it took in until the server is done.
#include <windows.h>
// oleauto.h needs windows.h before it.
#include <oleauto.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "toolkit/transport.h"
#include "toolkit/win32/wide_string.h"

namespace qm::transport {

namespace {

constexpr const wchar_t* kProgIds[] = {L"MSXML2.XMLHTTP", L"Microsoft.XMLHTTP"};

constexpr LONG kCompleted = 4;  // readyState
constexpr LONG kReceiving = 3;
// How long the worker lets the request wait for its first byte before it
// checks that the server takes connections at all (see serverTakesConnections).
constexpr ULONGLONG kReachabilityCheckAfterMs = 250;
constexpr DWORD kLongestPumpWaitMs = 20;

// Shared by the caller and the worker; whoever lets go last frees it.
struct Request {
    std::wstring url;
    std::size_t maxBodyBytes = 0;
    int connectTimeoutMs = 0;
    ULONGLONG deadline = 0;  // GetTickCount64() at which the fetch is over
    std::atomic<bool> abandoned{false};
    GetResult result;
    HANDLE finished = nullptr;

    Request() = default;
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    ~Request() {
        if (finished != nullptr) CloseHandle(finished);
    }
};

struct Variant {
    VARIANT value;
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

struct DispatchDeleter {
    void operator()(IDispatch* object) const { object->Release(); }
};
using DispatchPtr = std::unique_ptr<IDispatch, DispatchDeleter>;

// Look the class up, create it in any server context, run it.
DispatchPtr createRequestObject() {
    for (const wchar_t* progId : kProgIds) {
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(progId, &clsid))) continue;
        IDispatch* raw = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                    reinterpret_cast<void**>(&raw))) ||
            raw == nullptr) {
            continue;
        }
        DispatchPtr object(raw);
        if (FAILED(OleRun(object.get()))) continue;
        return object;
    }
    return nullptr;
}

// A late-bound call by name; args in call order.
HRESULT invokeByName(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* args,
                     UINT argCount, VARIANT* result) {
    VARIANT reversed[3];
    if (argCount > 3) return E_INVALIDARG;
    std::wstring nameCopy(name);
    LPOLESTR names[] = {nameCopy.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    // IDispatch takes the arguments last first.
    for (UINT i = 0; i < argCount; ++i) reversed[i] = args[argCount - 1 - i];
    DISPPARAMS params = {argCount > 0 ? reversed : nullptr, nullptr, argCount, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr,
                          nullptr);
}

bool openAndSend(IDispatch* object, const std::wstring& url) {
    // Asynchronous, so that the worker keeps control and can abort it.
    BSTR method = SysAllocString(L"GET");
    BSTR address = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    VARIANT args[3];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    VariantInit(&args[2]);
    V_VT(&args[0]) = VT_BSTR;
    V_BSTR(&args[0]) = method;
    V_VT(&args[1]) = VT_BSTR;
    V_BSTR(&args[1]) = address;
    V_VT(&args[2]) = VT_BOOL;
    V_BOOL(&args[2]) = VARIANT_TRUE;
    const bool opened = method != nullptr && address != nullptr &&
                        SUCCEEDED(invokeByName(object, L"open", DISPATCH_METHOD, args, 3, nullptr));
    SysFreeString(method);
    SysFreeString(address);
    return opened && SUCCEEDED(invokeByName(object, L"send", DISPATCH_METHOD, nullptr, 0, nullptr));
}

// A property read as a number; fallback when it cannot be read.
LONG numberProperty(IDispatch* object, const wchar_t* name, LONG fallback) {
    Variant value;
    if (FAILED(invokeByName(object, name, DISPATCH_PROPERTYGET, nullptr, 0, &value.value)) ||
        FAILED(VariantChangeType(&value.value, &value.value, 0, VT_I4))) {
        return fallback;
    }
    return V_I4(&value.value);
}

// The response header's value; empty when there is none or it cannot be read.
std::wstring responseHeader(IDispatch* object, const wchar_t* header) {
    Variant name;
    V_VT(&name.value) = VT_BSTR;
    V_BSTR(&name.value) = SysAllocString(header);
    Variant value;
    if (V_BSTR(&name.value) == nullptr ||
        FAILED(invokeByName(object, L"getResponseHeader", DISPATCH_METHOD, &name.value, 1,
                            &value.value)) ||
        V_VT(&value.value) != VT_BSTR || V_BSTR(&value.value) == nullptr) {
        return {};
    }
    return std::wstring(V_BSTR(&value.value), SysStringLen(V_BSTR(&value.value)));
}

// The body length the server declared; -1 when it declared none.
long long declaredLength(IDispatch* object) {
    const std::wstring value = responseHeader(object, L"Content-Length");
    if (value.empty()) return -1;
    wchar_t* end = nullptr;
    const long long length = std::wcstoll(value.c_str(), &end, 10);
    return end != value.c_str() && length >= 0 ? length : -1;
}

// The request object decodes a compressed body, whose length then differs
// from the declared one.
bool isEncoded(IDispatch* object) {
    const std::wstring encoding = responseHeader(object, L"Content-Encoding");
    return !encoding.empty() && _wcsicmp(encoding.c_str(), L"identity") != 0;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Scheme, host and port of an http(s) address, for the reachability check.
bool hostAndPort(const std::wstring& url, std::wstring& host, std::wstring& port) {
    const std::size_t schemeEnd = url.find(L"://");
    if (schemeEnd == std::wstring::npos) return false;
    const bool https = _wcsnicmp(url.c_str(), L"https", 5) == 0;
    std::wstring authority = url.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of(L"/?#"));
    const std::size_t at = authority.rfind(L'@');
    if (at != std::wstring::npos) authority.erase(0, at + 1);
    std::size_t colon = std::wstring::npos;
    if (!authority.empty() && authority.front() == L'[') {
        const std::size_t close = authority.find(L']');
        if (close == std::wstring::npos) return false;
        host = authority.substr(1, close - 1);
        if (close + 1 < authority.size() && authority[close + 1] == L':') colon = close + 1;
    } else {
        colon = authority.find(L':');
        host = authority.substr(0, colon);
    }
    port = colon != std::wstring::npos ? authority.substr(colon + 1) : L"";
    if (port.empty()) port = https ? L"443" : L"80";
    return !host.empty();
}

bool connectsWithin(const ADDRINFOW& address, int timeoutMs) {
    const SOCKET s = socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (s == INVALID_SOCKET) return false;
    u_long nonBlocking = 1;
    bool connected = false;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) == 0) {
        if (connect(s, address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
            connected = true;
        } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
            fd_set writable;
            fd_set failed;
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            FD_SET(s, &writable);
            FD_SET(s, &failed);
            timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
            if (select(0, nullptr, &writable, &failed, &wait) > 0 && FD_ISSET(s, &writable)) {
                int error = 0;
                int size = sizeof error;
                connected = getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                                       &size) == 0 &&
                            error == 0;
            }
        }
    }
    closesocket(s);
    return connected;
}

// Under Wine an asynchronous request to a server that refuses the
// connection (or a host without an address) never completes: it looks just
// like a server that is slow to answer. There, a request still without its
// first byte after a moment is checked by connecting to its server once;
// when that fails, so has the fetch, at once rather than at the time-out.
// Windows completes such a request itself (and may reach the server only
// through a proxy, which a direct connection would not find).
bool runsUnderWine() {
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

bool serverTakesConnections(const std::wstring& url, int timeoutMs) {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    std::wstring host;
    std::wstring port;
    if (!started || !hostAndPort(url, host, port)) return true;  // not ours to judge
    ADDRINFOW hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* addresses = nullptr;
    if (GetAddrInfoW(host.c_str(), port.c_str(), &hints, &addresses) != 0) return false;
    bool connected = false;
    for (const ADDRINFOW* a = addresses; a != nullptr && !connected; a = a->ai_next) {
        connected = connectsWithin(*a, timeoutMs);
    }
    FreeAddrInfoW(addresses);
    return connected;
}

// Pumps the worker's messages until the request completes: false when the
// time is up, the caller has gone, the declared length is over the limit or
// the server takes no connection.
bool awaitCompletion(IDispatch* object, const Request& request) {
    const ULONGLONG started = GetTickCount64();
    bool reachabilityChecked = false;
    for (;;) {
        pumpMessages();
        const LONG state = numberProperty(object, L"readyState", 0);
        if (state == kCompleted) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= request.deadline || request.abandoned) return false;
        if (state == kReceiving) {
            const long long declared = declaredLength(object);
            if (declared >= 0 && static_cast<unsigned long long>(declared) > request.maxBodyBytes) {
                return false;
            }
        } else if (!reachabilityChecked && now - started >= kReachabilityCheckAfterMs &&
                   runsUnderWine()) {
            reachabilityChecked = true;
            const ULONGLONG left = request.deadline - now;
            const int timeout = static_cast<int>(
                std::min<ULONGLONG>(left, static_cast<ULONGLONG>(request.connectTimeoutMs)));
            if (!serverTakesConnections(request.url, timeout)) return false;
            continue;
        }
        const DWORD wait =
            static_cast<DWORD>(std::min<ULONGLONG>(request.deadline - now, kLongestPumpWaitMs));
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// XMLHTTP follows redirects among http and https addresses itself; one that
// it leaves alone (to file:, ftp: and the like) ends the request with the
// redirect's own response, which is no page: the fetch has failed.
bool isUnfollowedRedirect(IDispatch* object) {
    const LONG status = numberProperty(object, L"status", 0);
    return status >= 300 && status <= 399 && !responseHeader(object, L"Location").empty();
}

// The bytes of responseBody; anything but a one-dimensional byte array gives
// none. False when the body is over the limit or cannot be read.
bool readBody(IDispatch* object, std::size_t maxBytes, std::string& body) {
    Variant value;
    if (FAILED(invokeByName(object, L"responseBody", DISPATCH_PROPERTYGET, nullptr, 0,
                            &value.value))) {
        return false;
    }
    if (V_VT(&value.value) != (VT_ARRAY | VT_UI1)) return true;
    SAFEARRAY* array = V_ARRAY(&value.value);
    if (array == nullptr || SafeArrayGetDim(array) != 1) return true;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper))) {
        return false;
    }
    if (upper < lower) return true;
    const auto count = static_cast<std::size_t>(static_cast<long long>(upper) - lower + 1);
    if (count > maxBytes) return false;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return false;
    body.assign(static_cast<const char*>(data), count);
    SafeArrayUnaccessData(array);
    return true;
}

// The body of a completed request, or false: not a page (an unfollowed
// redirect), over the limit, or shorter than the server declared (the
// connection was cut; the request object hands over what it got).
bool completedBody(IDispatch* object, std::size_t maxBytes, std::string& body) {
    if (isUnfollowedRedirect(object)) return false;
    const long long declared = isEncoded(object) ? -1 : declaredLength(object);
    if (declared >= 0 && static_cast<unsigned long long>(declared) > maxBytes) return false;
    if (!readBody(object, maxBytes, body)) return false;
    return declared < 0 || static_cast<unsigned long long>(declared) == body.size();
}

GetResult runRequest(const Request& request) {
    DispatchPtr object = createRequestObject();
    if (!object) return {GetStatus::noRequestObject, {}};
    GetResult result{GetStatus::failed, {}};
    if (!openAndSend(object.get(), request.url)) return result;
    if (!awaitCompletion(object.get(), request)) {
        invokeByName(object.get(), L"abort", DISPATCH_METHOD, nullptr, 0, nullptr);
        return result;
    }
    if (completedBody(object.get(), request.maxBodyBytes, result.body)) {
        result.status = GetStatus::ok;
    } else {
        result.body.clear();
    }
    return result;
}

void workOn(const std::shared_ptr<Request>& request) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(init)) {
        request->result = runRequest(*request);
        CoUninitialize();
    }
    SetEvent(request->finished);
}

}  // namespace

GetResult httpGet(const std::string& url, const FetchLimits& limits) {
    auto request = std::make_shared<Request>();
    request->url = wideStringOf(url);
    request->maxBodyBytes = limits.maxBodyBytes;
    request->connectTimeoutMs = limits.connectTimeoutMs;
    const DWORD bound = limits.totalTimeoutMs > 0 ? static_cast<DWORD>(limits.totalTimeoutMs) : 0;
    request->deadline = GetTickCount64() + bound;
    request->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (request->finished == nullptr) return {GetStatus::failed, {}};
    try {
        std::thread(workOn, request).detach();
    } catch (...) {
        return {GetStatus::failed, {}};
    }
    if (WaitForSingleObject(request->finished, bound) != WAIT_OBJECT_0) {
        request->abandoned = true;  // the worker aborts and ends on its own
        return {GetStatus::failed, {}};
    }
    return std::move(request->result);
}

}  // namespace qm::transport
