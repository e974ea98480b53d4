// A read-only look at the program's shared block, for as long as the object lives.
#pragma once
#include <windows.h>

#include "shell/HookContract.h"

class HookBlockView {
public:
    HookBlockView() {
        mapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, hook::kBlockName);
        if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, sizeof(HookSharedBlock));
    }
    ~HookBlockView() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    HookBlockView(const HookBlockView&) = delete;
    HookBlockView& operator=(const HookBlockView&) = delete;

    const HookSharedBlock* Get() const { return static_cast<const HookSharedBlock*>(view_); }
    const HookSharedBlock* operator->() const { return Get(); }
    explicit operator bool() const { return view_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
};
