#include "tests/gui/automation/remote_memory.hpp"

#include "tests/gui/automation/wait.hpp"

#include <cstdint>
#include <cstring>
#include <string>

namespace gui_test {

namespace {

HANDLE openForMemory(DWORD processId) {
    const HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                          PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                      FALSE, processId);
    if (!process)
        throw AutomationError("cannot open process " + std::to_string(processId) + " (error " +
                              std::to_string(::GetLastError()) + ")");
    return process;
}

void writeInto(HANDLE process, void* address, const void* data, std::size_t size) {
    SIZE_T written = 0;
    if (!::WriteProcessMemory(process, address, data, size, &written) || written != size)
        throw AutomationError("cannot write into the target process (error " +
                              std::to_string(::GetLastError()) + ")");
}

// The call made in the target. A thread routine gets one argument, GlobalAlloc takes two
// and returns a pointer-sized handle, so a few instructions read both from this record and
// store the result in it.
struct AllocCall {
    std::uint64_t function; // GlobalAlloc; kernel32 sits at the same address in every process
    std::uint64_t flags;
    std::uint64_t bytes;
    std::uint64_t result;
};

#if defined(__x86_64__) || defined(_M_X64)
// push rbx; sub rsp,32; mov rbx,rcx; mov ecx,[rbx+8]; mov rdx,[rbx+16]; call [rbx];
// mov [rbx+24],rax; add rsp,32; pop rbx; xor eax,eax; ret
const unsigned char allocStub[] = {0x53, 0x48, 0x83, 0xEC, 0x20, 0x48, 0x89, 0xCB, 0x8B, 0x4B,
                                   0x08, 0x48, 0x8B, 0x53, 0x10, 0xFF, 0x13, 0x48, 0x89, 0x43,
                                   0x18, 0x48, 0x83, 0xC4, 0x20, 0x5B, 0x31, 0xC0, 0xC3};
#else
#error "globalAllocInProcess has machine code for x86-64 only"
#endif

} // namespace

RemoteBuffer::RemoteBuffer(DWORD processId, const void* data, std::size_t size)
    : process_(openForMemory(processId)) {
    address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) {
        ::CloseHandle(process_);
        throw AutomationError("cannot allocate memory in process " + std::to_string(processId));
    }
    try {
        writeInto(process_, address_, data, size);
    } catch (...) {
        ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        ::CloseHandle(process_);
        throw;
    }
}

void RemoteBuffer::read(std::size_t offset, void* out, std::size_t size) const {
    SIZE_T copied = 0;
    if (!::ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, out, size,
                             &copied) ||
        copied != size)
        throw AutomationError("cannot read from the target process (error " +
                              std::to_string(::GetLastError()) + ")");
}

RemoteBuffer::~RemoteBuffer() {
    ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    ::CloseHandle(process_);
}

HGLOBAL globalAllocInProcess(DWORD processId, const void* data, std::size_t size) {
    AllocCall call{};
    call.function = reinterpret_cast<std::uintptr_t>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GlobalAlloc"));
    call.flags = GMEM_FIXED | GMEM_ZEROINIT;
    call.bytes = size;
    unsigned char page[sizeof(AllocCall) + sizeof allocStub];
    std::memcpy(page, &call, sizeof call);
    std::memcpy(page + sizeof call, allocStub, sizeof allocStub);

    const HANDLE process = openForMemory(processId);
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof page, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_EXECUTE_READWRITE);
    std::string failure;
    HGLOBAL block = nullptr;
    if (!remote) {
        failure = "cannot allocate memory in process " + std::to_string(processId);
    } else if (!::WriteProcessMemory(process, remote, page, sizeof page, nullptr)) {
        failure = "cannot write into process " + std::to_string(processId);
    } else {
        auto* code = static_cast<unsigned char*>(remote) + sizeof call;
        const HANDLE thread = ::CreateRemoteThread(process, nullptr, 0,
                                                   reinterpret_cast<LPTHREAD_START_ROUTINE>(code),
                                                   remote, 0, nullptr);
        if (!thread) {
            failure = "cannot start a thread in process " + std::to_string(processId);
        } else {
            ::WaitForSingleObject(thread, 5000);
            ::CloseHandle(thread);
            AllocCall done{};
            if (::ReadProcessMemory(process, remote, &done, sizeof done, nullptr) && done.result)
                block = reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(done.result));
            if (!block)
                failure = "GlobalAlloc failed in process " + std::to_string(processId);
            else if (!::WriteProcessMemory(process, block, data, size, nullptr))
                failure = "cannot fill the block in process " + std::to_string(processId);
        }
    }
    if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    if (!failure.empty()) throw AutomationError(failure);
    return block;
}

} // namespace gui_test
