#include "CalendarKit/tests/service/TestFeedServer.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace CalendarKit::Testing {

namespace fs = std::filesystem;

namespace {

void run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("test set-up failed: " + command);
    }
}

// A CA and a server certificate for every test host name, made afresh.
void makeCertificates(const fs::path& folder) {
    const std::string f = folder.string();
    const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes ";
    run("openssl req -x509" + ec + "-keyout " + f + "/ca.key -out " + f +
        "/ca.pem -days 2 -subj '/CN=Waylark Test CA'"
        " -addext 'basicConstraints=critical,CA:TRUE' -addext 'keyUsage=critical,keyCertSign,cRLSign'");
    run("openssl req" + ec + "-keyout " + f + "/server.key -out " + f + "/server.csr -subj '/CN=feed.test'");
    std::ofstream(folder / "server.ext")
        << "subjectAltName=DNS:localhost,DNS:feed.test,DNS:sub.feed.test,DNS:other.test,IP:127.0.0.1\n"
        << "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n";
    run("openssl x509 -req -in " + f + "/server.csr -CA " + f + "/ca.pem -CAkey " + f + "/ca.key -CAcreateserial -out " +
        f + "/server.pem -days 2 -extfile " + f + "/server.ext");
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Body of `size` bytes that is still a JSON array, so only the size can refuse it.
std::string arrayOfSize(std::size_t size) {
    std::string body = "[";
    body.append(size - 2, ' ');
    body += "]";
    return body;
}

}  // namespace

std::string TestFeedServer::sampleFeed(const std::string& week) {
    return readFile(fs::path(WAYLARK_SOURCE_DIR) / "CalendarKit/tests/service/data" / ("ff_calendar_" + week + ".json"));
}

TestFeedServer::TestFeedServer()
    : stopping_(std::make_shared<std::atomic<bool>>(false)), listenDone_(std::make_shared<std::atomic<bool>>(false)) {
    char pattern[] = "/tmp/waylark-feed-server-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    makeCertificates(folder_);
    caFile_ = folder_ / "ca.pem";
    server_ = std::make_unique<httplib::SSLServer>((folder_ / "server.pem").c_str(), (folder_ / "server.key").c_str());
    if (!server_->is_valid()) throw std::runtime_error("the test server's certificate does not load");
    route();
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("the test server cannot listen");
    thread_ = std::thread([server = server_.get(), done = listenDone_] {
        server->listen_after_bind();
        done->store(true);
    });
    // stop() does nothing before the accept loop runs, so a server stopped
    // too early would never stop: wait until it is up.
    if (!waitFor([&] { return server_->is_running(); })) {
        abandon();
        throw std::runtime_error("the test server did not start");
    }
}

TestFeedServer::~TestFeedServer() {
    stopping_->store(true);
    server_->stop();
    if (!waitFor([&] { return listenDone_->load(); })) {
        abandon();
        return;
    }
    thread_.join();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

bool TestFeedServer::waitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A server thread that will not end is left behind, with the server it uses,
// rather than hang the test run on joining it.
void TestFeedServer::abandon() {
    thread_.detach();
    (void)server_.release();
}

std::string TestFeedServer::baseAddress(const std::string& scenario, const std::string& host) const {
    return "https://" + host + ":" + std::to_string(port_) + "/s/" + scenario;
}

FeedFetcherOptions TestFeedServer::options(const std::string& scenario, const std::string& host) const {
    FeedFetcherOptions options;
    options.baseAddress = baseAddress(scenario, host);
    options.certificateAuthorityFile = caFile_.string();
    for (const char* name : {"localhost", "feed.test", "sub.feed.test", "other.test"}) {
        options.resolve.push_back(std::string(name) + ":" + std::to_string(port_) + ":127.0.0.1");
    }
    return options;
}

std::vector<LoggedRequest> TestFeedServer::requests() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<LoggedRequest> TestFeedServer::requestsFor(const std::string& scenario) const {
    std::vector<LoggedRequest> matching;
    for (auto& request : requests()) {
        if (request.path.starts_with("/s/" + scenario + "/")) matching.push_back(request);
    }
    return matching;
}

void TestFeedServer::route() {
    server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        std::lock_guard lock(mutex_);
        log_.push_back({request.get_header_value("Host"), request.path, request.get_header_value("User-Agent"),
                        request.has_header("Cookie")});
        return httplib::Server::HandlerResponse::Unhandled;
    });

    server_->Get(R"(/s/([^/]+)/ff_calendar_(thisweek|nextweek)\.json)", [this](const httplib::Request& request,
                                                                              httplib::Response& response) {
        std::string scenario = request.matches[1];
        const std::string week = request.matches[2];
        if (const auto plus = scenario.find('+'); plus != std::string::npos) {
            scenario = week == "thisweek" ? scenario.substr(0, plus) : scenario.substr(plus + 1);
        }
        const std::string origin = std::to_string(port_);
        const std::string file = "/ff_calendar_" + week + ".json";
        auto redirect = [&](const std::string& location) {
            response.status = 302;
            response.set_header("Location", location);
            response.set_content("moved", "text/plain");
        };

        if (scenario == "ok") {
            response.set_content(sampleFeed(week), "application/json");
        } else if (scenario == "empty") {
            response.set_content("[]", "application/json");
        } else if (scenario == "object") {
            response.set_content(R"({"error":"maintenance"})", "application/json");
        } else if (scenario == "html") {
            response.set_content("<html><body>Service Unavailable</body></html>", "text/html");
        } else if (scenario.starts_with("status")) {
            response.status = std::stoi(scenario.substr(6));
            response.set_content("status " + scenario.substr(6), "text/plain");
        } else if (scenario.starts_with("retry-")) {
            response.status = 429;
            const std::string kind = scenario.substr(6);
            if (kind == "120") response.set_header("Retry-After", "120");
            if (kind == "7200") response.set_header("Retry-After", "7200");
            if (kind == "neg5") response.set_header("Retry-After", "-5");
            if (kind == "spaces") response.set_header("Retry-After", " 30 ");
            if (kind == "date") response.set_header("Retry-After", "Wed, 11 Mar 2026 07:28:00 GMT");
            if (kind == "word") response.set_header("Retry-After", "soon");
            response.set_content("slow down", "text/plain");
        } else if (scenario == "redirect-same") {
            redirect("https://feed.test:" + origin + "/s/ok" + file);
        } else if (scenario == "redirect-relative") {
            redirect("/s/ok" + file);
        } else if (scenario == "redirect-http") {
            redirect("http://feed.test:" + origin + "/s/ok" + file);
        } else if (scenario == "redirect-sub") {
            redirect("https://sub.feed.test:" + origin + "/s/ok" + file);
        } else if (scenario == "redirect-other") {
            redirect("https://other.test:" + origin + "/s/ok" + file);
        } else if (scenario == "redirect-loop") {
            redirect("/s/redirect-loop" + file);
        } else if (scenario == "redirect-cookie") {
            response.set_header("Set-Cookie", "session=abc123; Path=/; Secure");
            redirect("/s/ok" + file);
        } else if (scenario == "cookie") {
            response.set_header("Set-Cookie", "session=abc123; Path=/; Secure");
            response.set_content(sampleFeed(week), "application/json");
        } else if (scenario.starts_with("size-")) {
            // size-<bytes>-length or size-<bytes>-chunked
            const auto dash = scenario.find('-', 5);
            const std::size_t size = std::stoul(scenario.substr(5, dash - 5));
            auto body = std::make_shared<std::string>(arrayOfSize(size));
            if (scenario.ends_with("-chunked")) {
                auto offset = std::make_shared<std::size_t>(0);
                response.set_chunked_content_provider("application/json", [body, offset](std::size_t, httplib::DataSink& sink) {
                    if (*offset >= body->size()) {
                        sink.done();
                        return true;
                    }
                    const std::size_t n = std::min<std::size_t>(65'536, body->size() - *offset);
                    const bool written = sink.write(body->data() + *offset, n);
                    *offset += n;
                    return written;
                });
            } else {
                response.set_content(*body, "application/json");
            }
        } else if (scenario == "stall") {
            // Headers and a first byte, then silence until the client gives up.
            auto stopping = stopping_;
            response.set_content_provider(1000, "application/json",
                                          [stopping](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                              if (offset == 0) return sink.write("[", 1);
                                              const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                                              while (!stopping->load() && std::chrono::steady_clock::now() < until &&
                                                     sink.is_writable()) {
                                                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                              }
                                              return false;
                                          });
        } else {
            response.status = 404;
            response.set_content("no such scenario", "text/plain");
        }
    });
}

}  // namespace CalendarKit::Testing
