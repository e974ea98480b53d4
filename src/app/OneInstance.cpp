#include "app/OneInstance.h"

#include <set>

#include "platform/Application.h"
#include "platform/Text.h"

namespace {
std::set<const void*>& Owners() {
    static std::set<const void*> owners;
    return owners;
}

EOneInstance StepError(const char* step, const std::string& message) {
    return EOneInstance(std::string(step) + " An Exception was raised " + "with the message : " + message);
}

void Report(const EOneInstance& e) { Application::ShowException(e); }
}  // namespace

TOneInstance::TOneInstance(const void* owner, const std::string& ownerName) : owner_(owner) {
    if (!Owners().insert(owner).second) {
        owner_ = nullptr;
        throw EOneInstance("OneInstance component duplicated in " + ownerName);
    }
}

bool TOneInstance::MutexExists(const std::string& name) {
    UniqueHandle h(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str()));
    return static_cast<bool>(h);
}

void TOneInstance::Loaded(const std::string& name) {
    priorTitle_ = Application::Title();
    bool exists = false;
    try {
        // Created or opened in one step, so two processes starting together cannot both stay.
        mutex_.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
        DWORD error = GetLastError();
        if (mutex_ && error == ERROR_ALREADY_EXISTS) {
            mutex_.Reset();
            exists = true;
        } else if (!mutex_) {
            // Held by another user with a stricter ACL: it exists all the same.
            if (error == ERROR_ACCESS_DENIED || MutexExists(name)) exists = true;
            else throw StepError("Unable to create Mutex!", SystemErrorText(error));
        }
    } catch (const EOneInstance& e) {
        Report(e);
        return;
    }
    if (!exists) {
        ownsMutex_ = true;
        return;
    }
    ownsMutex_ = false;
    if (ApplicationExists) ApplicationExists(*this);
    if (Terminate) {
        if (InformUser)
            Report(EOneInstance("Another instance of this application appears to be running. You must \r\n"
                                "close any previous instances before continuing. "));
        Application::Terminate();
    } else if (InformUser) {
        MessageBoxA(nullptr, "Another instance of this application appears to be running!",
                    Application::Title().c_str(), MB_OK | MB_ICONWARNING);
    }
}

void TOneInstance::BringUpPriorInstance() {
    Application::SetTitle("");  // so that the search cannot find this instance
    HWND prior = FindWindowA(nullptr, priorTitle_.c_str());
    if (!prior) return;
    HWND popup = GetLastActivePopup(prior);
    if (IsIconic(prior)) ShowWindow(prior, SW_RESTORE);
    BringWindowToTop(prior);
    if (popup) {
        if (IsIconic(popup)) ShowWindow(popup, SW_RESTORE);
        BringWindowToTop(popup);
        SetForegroundWindow(popup);
    }
}

TOneInstance::~TOneInstance() {
    if (owner_) Owners().erase(owner_);
    if (ownsMutex_) {
        if (!CloseHandle(mutex_.Release())) Report(StepError("Unable to close Mutex!", SystemErrorText(GetLastError())));
        return;
    }
    if (RaisePriorInstance && !priorTitle_.empty()) BringUpPriorInstance();
}
