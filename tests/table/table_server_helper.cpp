// Starts the development server and logs in for one test program.
#include "table_server_helper.h"

#include "run_ok.h"
#include "table/tab_data_model.h"

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

db_link *table_server::link()
{
    if (!link_ && server_ && server_->ok())
        link_ = link_wait::logged_in(server_->host(), server_->port());
    return link_.get();
}

table_server::~table_server()
{
    link_.reset();
    exec_.reset(); // ends the session before the server goes
    server_.reset();
}

bool table_server::run(const QByteArray &cmd)
{
    return exec_ && run_ok(*exec_, cmd, 1);
}

bool table_server::apply_edits(const tab_data_model &model)
{
    return exec_ && tab_data_model::send_commands(*exec_, model.pending_commands()).status.ok;
}
