// The Win32 HTTP GET: the COM request object "MSXML2.XMLHTTP" (or
// "Microsoft.XMLHTTP"), driven late-bound by name: open("GET", url, false),
// send(), responseBody.
//
// A synchronous XMLHTTP request cannot be bounded in time (no option does it,
// and abort() from another thread blocks until the request ends), so the
// whole request runs on a worker thread with its own COM apartment. The
// caller waits for it until the total time-out and, past it, abandons it: the
// worker finishes on its own later, on state that it co-owns, and the caller
// never touches its request object. The caller processes no window events
// while it waits, as a synchronous request would not.
#include <windows.h>
// oleauto.h needs windows.h before it.
#include <oleauto.h>

#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "toolkit/transport.h"
#include "toolkit/win32/wide_string.h"

namespace qm::transport {

namespace {

constexpr const wchar_t* kProgIds[] = {L"MSXML2.XMLHTTP", L"Microsoft.XMLHTTP"};

// Shared by the caller and the worker; whoever lets go last frees it.
struct Request {
    std::wstring url;
    std::size_t maxBodyBytes = 0;
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
    V_BOOL(&args[2]) = VARIANT_FALSE;  // synchronous
    const bool opened = method != nullptr && address != nullptr &&
                        SUCCEEDED(invokeByName(object, L"open", DISPATCH_METHOD, args, 3, nullptr));
    SysFreeString(method);
    SysFreeString(address);
    return opened && SUCCEEDED(invokeByName(object, L"send", DISPATCH_METHOD, nullptr, 0, nullptr));
}

// XMLHTTP follows redirects among http and https addresses itself; one that
// it leaves alone (to file:, ftp: and the like) ends the request with the
// redirect's own response, which is no page: the fetch has failed.
bool isUnfollowedRedirect(IDispatch* object) {
    Variant status;
    if (FAILED(invokeByName(object, L"status", DISPATCH_PROPERTYGET, nullptr, 0, &status.value)) ||
        FAILED(VariantChangeType(&status.value, &status.value, 0, VT_I4))) {
        return false;
    }
    if (V_I4(&status.value) < 300 || V_I4(&status.value) > 399) return false;
    Variant name;
    V_VT(&name.value) = VT_BSTR;
    V_BSTR(&name.value) = SysAllocString(L"Location");
    Variant location;
    if (V_BSTR(&name.value) == nullptr ||
        FAILED(invokeByName(object, L"getResponseHeader", DISPATCH_METHOD, &name.value, 1,
                            &location.value))) {
        return false;
    }
    return V_VT(&location.value) == VT_BSTR && SysStringLen(V_BSTR(&location.value)) > 0;
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

GetResult runRequest(const Request& request) {
    DispatchPtr object = createRequestObject();
    if (!object) return {GetStatus::noRequestObject, {}};
    GetResult result{GetStatus::failed, {}};
    if (openAndSend(object.get(), request.url) && !isUnfollowedRedirect(object.get()) &&
        readBody(object.get(), request.maxBodyBytes, result.body)) {
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
    request->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (request->finished == nullptr) return {GetStatus::failed, {}};
    try {
        std::thread(workOn, request).detach();
    } catch (...) {
        return {GetStatus::failed, {}};
    }
    const DWORD bound = limits.totalTimeoutMs > 0 ? static_cast<DWORD>(limits.totalTimeoutMs) : 0;
    if (WaitForSingleObject(request->finished, bound) != WAIT_OBJECT_0) {
        return {GetStatus::failed, {}};  // abandoned: the worker ends on its own
    }
    return std::move(request->result);
}

}  // namespace qm::transport
