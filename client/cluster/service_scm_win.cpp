// Services through the Windows service control manager (built on Windows only).
#include "cluster/service_control.h"

#include <QThread>
#include <windows.h>

namespace service_ctl {

namespace {

class scm_backend : public service_backend {
public:
    ~scm_backend() override { close(); }

    open_result open(const QByteArray &name) override
    {
        close();
        manager_ = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        if (!manager_)
            return open_result::no_manager;
        service_ = OpenServiceA(manager_, name.constData(), SERVICE_ALL_ACCESS);
        return service_ ? open_result::ok : open_result::no_service;
    }

    void close() override
    {
        if (service_)
            CloseServiceHandle(service_);
        if (manager_)
            CloseServiceHandle(manager_);
        service_ = manager_ = nullptr;
    }

    bool query(status &out) override
    {
        SERVICE_STATUS_PROCESS ssp{};
        DWORD needed = 0;
        if (!service_ || !QueryServiceStatusEx(service_, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&ssp),
                                               sizeof ssp, &needed))
            return false;
        switch (ssp.dwCurrentState) {
        case SERVICE_STOPPED: out.current = state::stopped; break;
        case SERVICE_RUNNING: out.current = state::running; break;
        case SERVICE_PAUSED: out.current = state::paused; break;
        default: out.current = state::pending; break;
        }
        out.check_point = ssp.dwCheckPoint;
        out.wait_hint_ms = ssp.dwWaitHint;
        return true;
    }

    bool request_start(QString &reason) override
    {
        if (service_ && StartServiceW(service_, 0, nullptr))
            return true;
        reason = last_error();
        return false;
    }

    bool request_stop(QString &reason) override
    {
        SERVICE_STATUS st{};
        if (service_ && ControlService(service_, SERVICE_CONTROL_STOP, &st))
            return true;
        reason = last_error();
        return false;
    }

    void sleep_ms(int ms) override { QThread::msleep(ulong(ms)); }
    qint64 now_ms() override { return qint64(GetTickCount64()); }

private:
    static QString last_error()
    {
        wchar_t *text = nullptr;
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                           FORMAT_MESSAGE_IGNORE_INSERTS,
                                       nullptr, GetLastError(), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
        const QString out = n ? QString::fromWCharArray(text, int(n)).trimmed() : QString();
        LocalFree(text);
        return out;
    }

    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
};

} // namespace

std::unique_ptr<service_backend> platform_backend() { return std::make_unique<scm_backend>(); }

} // namespace service_ctl
