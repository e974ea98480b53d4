// One resident instance per executable file name, told apart by a named mutex.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Error.h"
#include "platform/Handle.h"

class EOneInstance : public Error {
public:
    using Error::Error;
};

class TOneInstance {
public:
    // Raises EOneInstance when the owner already holds a guard.
    TOneInstance(const void* owner, const std::string& ownerName);
    ~TOneInstance();
    TOneInstance(const TOneInstance&) = delete;
    TOneInstance& operator=(const TOneInstance&) = delete;

    bool Terminate = true;
    bool InformUser = false;
    bool RaisePriorInstance = false;
    std::function<void(TOneInstance&)> ApplicationExists;

    // The test, once the owner has finished loading. name: the mutex (the executable's file name).
    void Loaded(const std::string& name);
    bool OwnsMutex() const { return ownsMutex_; }
    // Whether a mutex of that name can be opened.
    static bool MutexExists(const std::string& name);

private:
    void BringUpPriorInstance();

    const void* owner_;
    UniqueHandle mutex_;
    bool ownsMutex_ = false;
    std::string priorTitle_;
};
