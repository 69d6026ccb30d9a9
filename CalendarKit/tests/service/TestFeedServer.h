#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/Download/FeedFetcher.h"

namespace CalendarKit::Testing {

// One request as the server saw it.
struct LoggedRequest {
    std::string host;  // the Host header, with its port
    std::string path;
    std::string userAgent;
    bool hadCookie = false;
    std::vector<std::string> headerNames;  // in the server's (case-blind alphabetical) order
};

// A scripted HTTPS feed server on 127.0.0.1 with an ephemeral port, serving a
// certificate for localhost, feed.test, sub.feed.test and other.test that a
// throwaway CA signed. The first path segment under /s/ names the scenario:
// "ok", "status404", "retry-120", "redirect-other", "size-2000001-chunked"...;
// "A+B" answers the current week with A and the next week with B.
class TestFeedServer {
public:
    TestFeedServer() {
        makeCertificates();
        server_ = std::make_unique<httplib::SSLServer>((folder_.path() / "server.pem").c_str(),
                                                       (folder_.path() / "server.key").c_str());
        route();
        port_ = server_->bind_to_any_port("127.0.0.1");
        if (!server_->is_valid() || port_ <= 0) throw std::runtime_error("the test server cannot listen");
        thread_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
        // stop() does nothing before the accept loop runs, so a server stopped
        // too early would never stop: wait until it is up.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(25);
        while (!server_->is_running() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~TestFeedServer() {
        stopping_->store(true);  // ends a stalled answer at once
        server_->stop();
        thread_.join();
    }
    TestFeedServer(const TestFeedServer&) = delete;
    TestFeedServer& operator=(const TestFeedServer&) = delete;

    int port() const { return port_; }

    // Fetcher options that reach this server under the scenario.
    FeedFetcherOptions options(const std::string& scenario) const {
        FeedFetcherOptions options;
        options.baseAddress = "https://feed.test:" + std::to_string(port_) + "/s/" + scenario;
        options.certificateAuthorityFile = (folder_.path() / "ca.pem").string();
        for (const char* name : {"localhost", "feed.test", "sub.feed.test", "other.test"}) {
            options.resolve.push_back(std::string(name) + ":" + std::to_string(port_) + ":127.0.0.1");
        }
        return options;
    }

    // Requests whose path lies under the scenario's folder, or every one.
    std::vector<LoggedRequest> requests(const std::string& scenario = "") const {
        std::lock_guard lock(mutex_);
        std::vector<LoggedRequest> matching;
        for (auto& request : log_) {
            if (scenario.empty() || request.path.starts_with("/s/" + scenario + "/")) matching.push_back(request);
        }
        return matching;
    }

private:
    // A CA and a server certificate for every test host name, made afresh.
    void makeCertificates() const {
        const std::string f = folder_.path().string();
        const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes ";
        std::ofstream(folder_.path() / "server.ext")
            << "subjectAltName=DNS:localhost,DNS:feed.test,DNS:sub.feed.test,DNS:other.test,IP:127.0.0.1\n"
            << "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n";
        for (const std::string& command : {
                 "openssl req -x509" + ec + "-keyout " + f + "/ca.key -out " + f + "/ca.pem -days 2 -subj " +
                     "'/CN=Waylark Test CA' -addext 'basicConstraints=critical,CA:TRUE' " +
                     "-addext 'keyUsage=critical,keyCertSign,cRLSign'",
                 "openssl req" + ec + "-keyout " + f + "/server.key -out " + f + "/server.csr -subj '/CN=feed.test'",
                 "openssl x509 -req -in " + f + "/server.csr -CA " + f + "/ca.pem -CAkey " + f + "/ca.key " +
                     "-CAcreateserial -out " + f + "/server.pem -days 2 -extfile " + f + "/server.ext"}) {
            if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
                throw std::runtime_error("test set-up failed: " + command);
            }
        }
    }

    void route() {
        server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(mutex_);
            std::vector<std::string> headerNames;
            for (const auto& [name, value] : request.headers) {
                // The server library files the peer's addresses among the headers.
                if (!name.ends_with("_ADDR") && !name.ends_with("_PORT")) headerNames.push_back(name);
            }
            log_.push_back({request.get_header_value("Host"), request.path, request.get_header_value("User-Agent"),
                            request.has_header("Cookie"), std::move(headerNames)});
            return httplib::Server::HandlerResponse::Unhandled;
        });

        server_->Get(R"(/s/([^/]+)/ff_calendar_(thisweek|nextweek)\.json)", [this](const httplib::Request& request,
                                                                                  httplib::Response& response) {
            std::string scenario = request.matches[1];
            const std::string week = request.matches[2];
            if (const auto plus = scenario.find('+'); plus != std::string::npos) {
                scenario = week == "thisweek" ? scenario.substr(0, plus) : scenario.substr(plus + 1);
            }
            const std::string file = "/ff_calendar_" + week + ".json";
            const std::string origin = "feed.test:" + std::to_string(port_);
            const std::map<std::string, std::string> retryAfter{
                {"retry-120", "120"}, {"retry-7200", "7200"}, {"retry-neg5", "-5"}, {"retry-spaces", " 30 "},
                {"retry-date", "Wed, 11 Mar 2026 07:28:00 GMT"}, {"retry-word", "soon"}, {"retry-none", ""}};
            const std::map<std::string, std::string> redirects{
                {"redirect-same", "https://" + origin + "/s/ok" + file},
                {"redirect-relative", "/s/ok" + file},
                {"redirect-cookie", "/s/ok" + file},
                {"redirect-http", "http://" + origin + "/s/ok" + file},
                {"redirect-sub", "https://sub." + origin + "/s/ok" + file},
                {"redirect-other", "https://other.test:" + std::to_string(port_) + "/s/ok" + file},
                {"redirect-loop", "/s/redirect-loop" + file}};
            if (scenario.ends_with("cookie")) response.set_header("Set-Cookie", "session=abc123; Path=/; Secure");

            if (scenario == "ok" || scenario == "cookie") {
                const std::string folder = std::string(WAYLARK_SOURCE_DIR) + "/CalendarKit/tests/service/data";
                response.set_content(Base::Testing::readBytes(folder + file), "application/json");
            } else if (scenario == "empty") {
                response.set_content("[]", "application/json");
            } else if (scenario == "object") {
                response.set_content(R"({"error":"maintenance"})", "application/json");
            } else if (scenario == "html") {
                response.set_content("<html><body>Service Unavailable</body></html>", "text/html");
            } else if (scenario.starts_with("status")) {
                response.status = std::stoi(scenario.substr(6));
                response.set_content("status " + scenario.substr(6), "text/plain");
            } else if (const auto retry = retryAfter.find(scenario); retry != retryAfter.end()) {
                response.status = 429;
                if (!retry->second.empty()) response.set_header("Retry-After", retry->second);
                response.set_content("slow down", "text/plain");
            } else if (const auto target = redirects.find(scenario); target != redirects.end()) {
                response.status = 302;
                response.set_header("Location", target->second);
                response.set_content("moved", "text/plain");
            } else if (scenario.starts_with("size-")) {
                // size-<bytes>-length or size-<bytes>-chunked: still a JSON array,
                // so only the size can refuse it.
                const std::size_t size = std::stoul(scenario.substr(5));
                auto body = std::make_shared<std::string>("[" + std::string(size - 2, ' ') + "]");
                if (!scenario.ends_with("-chunked")) return response.set_content(*body, "application/json");
                auto offset = std::make_shared<std::size_t>(0);
                response.set_chunked_content_provider("application/json", [body, offset](std::size_t,
                                                                                         httplib::DataSink& sink) {
                    if (*offset >= body->size()) {
                        sink.done();
                        return true;
                    }
                    const std::size_t n = std::min<std::size_t>(65'536, body->size() - *offset);
                    *offset += n;
                    return sink.write(body->data() + *offset - n, n);
                });
            } else if (scenario == "stall") {
                // Headers and a first byte, then silence until the client gives up.
                auto stall = [stopping = stopping_](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset == 0) return sink.write("[", 1);
                    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                    while (!stopping->load() && std::chrono::steady_clock::now() < until && sink.is_writable()) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    }
                    return false;
                };
                response.set_content_provider(1000, "application/json", stall);
            } else {
                response.status = 404;
                response.set_content("no such scenario", "text/plain");
            }
        });
    }

    Base::Testing::TemporaryFolder folder_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<LoggedRequest> log_;
    std::shared_ptr<std::atomic<bool>> stopping_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace CalendarKit::Testing
