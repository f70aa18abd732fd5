#include "platform/instance_channel.h"

#include <QElapsedTimer>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tinctora::platform {

namespace {

constexpr char kAnswer = 'R';

// A name in Linux's abstract socket namespace (a leading NUL byte): no file is made, and the
// name is free again when the last descriptor closes, however the process ended. The namespace
// is shared by all users, so each user's names carry the user's id.
bool addressFor(const QString& name, sockaddr_un& address, socklen_t& length) {
    const QByteArray bytes = (name + '.' + QString::number(::getuid())).toUtf8();
    std::memset(&address, 0, sizeof address);
    if (static_cast<std::size_t>(bytes.size()) + 1 > sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 +
                                    static_cast<std::size_t>(bytes.size()));
    return true;
}

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

} // namespace

struct InstanceChannel::Listener {
    int descriptor = -1;
    QSocketNotifier* notifier = nullptr;
    ~Listener() {
        delete notifier;
        if (descriptor >= 0)
            ::close(descriptor);
    }
};

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen(const QString& name, QString* reason) {
    sockaddr_un address;
    socklen_t length = 0;
    if (!addressFor(name, address, length))
        return fail(reason, "the name is too long");
    auto listener = std::make_unique<Listener>();
    // Not inherited by the viewers and browsers the Help menu starts, which would keep the name.
    listener->descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener->descriptor < 0 ||
        ::bind(listener->descriptor, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        ::listen(listener->descriptor, 8) != 0)
        return fail(reason, QString::fromLocal8Bit(std::strerror(errno)));
    listener->notifier = new QSocketNotifier(listener->descriptor, QSocketNotifier::Read);
    const int descriptor = listener->descriptor;
    connect(listener->notifier, &QSocketNotifier::activated, this, [this, descriptor] {
        const int caller = ::accept4(descriptor, nullptr, nullptr, SOCK_CLOEXEC);
        if (caller < 0)
            return;
        // The answer fits any socket buffer; the caller only waits for it.
        [[maybe_unused]] const auto written = ::write(caller, &kAnswer, 1);
        ::close(caller);
        emit called();
    });
    listener_ = std::move(listener);
    return true;
}

bool InstanceChannel::call(const QString& name, int timeoutMs) {
    sockaddr_un address;
    socklen_t length = 0;
    if (!addressFor(name, address, length))
        return false;
    QElapsedTimer clock;
    clock.start();
    // The copy called may have taken the folder a moment ago and not be listening yet.
    for (;;) {
        const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (descriptor < 0)
            return false;
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            pollfd answer{descriptor, POLLIN, 0};
            const auto left = static_cast<int>(std::max<qint64>(0, timeoutMs - clock.elapsed()));
            char byte = 0;
            const bool answered =
                ::poll(&answer, 1, left) == 1 && ::read(descriptor, &byte, 1) == 1;
            ::close(descriptor);
            return answered && byte == kAnswer;
        }
        ::close(descriptor);
        if (clock.elapsed() >= timeoutMs)
            return false;
        ::usleep(50 * 1000);
    }
}

} // namespace tinctora::platform
