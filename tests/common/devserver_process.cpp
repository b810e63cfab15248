// Runs the development server named by VORN_DEVSERVER as a child process of a test.
#include "devserver_process.h"

devserver_process::devserver_process(const QStringList& extra_args, int ready_timeout_ms)
{
    QStringList args = extra_args;
    const int data_at = args.indexOf(QStringLiteral("--data"));
    if (data_at >= 0 && data_at + 1 < args.size()) {
        data_dir_ = args.at(data_at + 1);
    } else {
        tmp_ = std::make_unique<QTemporaryDir>();
        if (!tmp_->isValid()) {
            error_ = QStringLiteral("cannot create a temporary folder");
            return;
        }
        data_dir_ = tmp_->path();
        args << QStringLiteral("--data") << data_dir_;
    }
    child_process::options opt;
    opt.ready_timeout_ms = ready_timeout_ms;
    proc_ = std::make_unique<child_process>(devserver_program(), args, opt);
}
