#include "tests/serial/CommEventLog.h"

namespace pellow::test {

std::string CommEventLog::Received() const {
    std::string all;
    for (const auto& c : chunks) {
        all += c;
    }
    return all;
}

void CommEventLog::Attach(TComm& com) {
    com.OnReceiveData = [this](TComm*, const char* buffer, std::uint16_t length) {
        chunks.emplace_back(buffer, length);
        order.emplace_back("data");
    };
    com.OnReceiveError = [this](TComm*, std::uint32_t mask) {
        errors.push_back(mask);
        order.emplace_back("error");
    };
    com.OnModemStateChange = [this](TComm*, std::uint32_t bits) {
        modemEvents.push_back(bits);
        order.emplace_back("modem");
    };
    com.OnRequestHangup = [this](TComm*) {
        ++hangups;
        order.emplace_back("hangup");
    };
    com.OnSendDataEmpty = [this](TComm*) {
        ++sendEmpties;
        order.emplace_back("empty");
    };
}

LoggedComm::LoggedComm(TDeviceOpener openDevice) {
    if (!openDevice) {
        openDevice = [folder = lockFolder.Path()](const std::string& name) {
            return OpenSerialDevice(name, folder);
        };
    }
    com = std::make_unique<TComm>(QueuedNotifyWindow::Factory(&window), std::move(openDevice));
    log.Attach(*com);
}

std::string OpenFailure(TComm& com) {
    try {
        com.OpenPort();
    } catch (const ECommsError& e) {
        return e.what();
    }
    return "";
}

} // namespace pellow::test
