// Starts the development server and logs in for one test program.
#include "table_server_helper.h"

#include "run_ok.h"

table_server::table_server(const QStringList &extra_args)
    : server_(std::make_unique<devserver_process>(extra_args))
{
    if (!server_->ok()) {
        error_ = server_->error();
        return;
    }
    if (!connect_to_server(server_->host().toUtf8().constData(), server_->port(), "admin", "admin")) {
        error_ = QStringLiteral("login to the development server failed");
        return;
    }
    exec_ = std::make_unique<db_exec>("vorn_tsdb", nullptr);
}

table_server::~table_server()
{
    exec_.reset(); // ends the session before the server goes
    server_.reset();
}

bool table_server::run(const QByteArray &cmd)
{
    return exec_ && run_ok(*exec_, cmd, 1);
}
