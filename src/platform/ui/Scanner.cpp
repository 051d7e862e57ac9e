#include "platform/ui/Scanner.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#ifdef QUON_HAVE_SANE
#include <pthread.h>
#include <sane/sane.h>
#include <sane/saneopts.h>
#endif

namespace quon {

namespace {
constexpr double MmPerInch = 25.4;
}

#ifdef QUON_HAVE_SANE

namespace {

QString statusText(SANE_Status s) { return QString::fromUtf8(sane_strstatus(s)); }

// One frame as SANE delivered it.
struct Frame {
    SANE_Parameters params{};
    std::vector<uint8_t> bytes;
};

uint8_t sample(const Frame& f, size_t rowStart, int x, int channels, int channel)
{
    const int i = x * channels + channel;
    if (f.params.depth == 16) {
        uint16_t v = 0;
        std::memcpy(&v, f.bytes.data() + rowStart + static_cast<size_t>(i) * 2, 2);
        return static_cast<uint8_t>(v >> 8);
    }
    if (f.params.depth == 1) {
        const uint8_t b = f.bytes[rowStart + static_cast<size_t>(i >> 3)];
        return (b & (0x80 >> (i & 7))) ? 0 : 255; // a set bit is black
    }
    return f.bytes[rowStart + static_cast<size_t>(i)];
}

// The frames of one page as a picture; null when their kind is not known.
QImage pictureOf(const std::vector<Frame>& frames, QString& error)
{
    if (frames.empty()) {
        error = QStringLiteral("The scanner sent no picture.");
        return {};
    }
    const SANE_Parameters& p0 = frames.front().params;
    const int w = p0.pixels_per_line;
    const int bpl = p0.bytes_per_line;
    if (w <= 0 || bpl <= 0 || (p0.depth != 1 && p0.depth != 8 && p0.depth != 16)) {
        error = QStringLiteral("The scanner sent a picture of a kind the program cannot read.");
        return {};
    }
    int h = p0.lines;
    for (const Frame& f : frames)
        h = std::max<int>(h, static_cast<int>(f.bytes.size() / static_cast<size_t>(f.params.bytes_per_line)));
    for (const Frame& f : frames)
        if (f.params.bytes_per_line > 0)
            h = std::min<int>(h, static_cast<int>(f.bytes.size() / static_cast<size_t>(f.params.bytes_per_line)));
    if (h <= 0) {
        error = QStringLiteral("The scanner sent an empty picture.");
        return {};
    }
    if (frames.size() == 1 && p0.format == SANE_FRAME_GRAY) {
        QImage img(w, h, QImage::Format_Grayscale8);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y) {
            uchar* out = img.scanLine(y);
            const size_t start = static_cast<size_t>(y) * static_cast<size_t>(bpl);
            for (int x = 0; x < w; ++x)
                out[x] = sample(frames[0], start, x, 1, 0);
        }
        return img;
    }
    if (frames.size() == 1 && p0.format == SANE_FRAME_RGB) {
        QImage img(w, h, QImage::Format_RGB888);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y) {
            uchar* out = img.scanLine(y);
            const size_t start = static_cast<size_t>(y) * static_cast<size_t>(bpl);
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    out[3 * x + c] = sample(frames[0], start, x, 3, c);
        }
        return img;
    }
    // Three separate frames, red, green and blue in whatever order.
    const Frame* planes[3] = {};
    for (const Frame& f : frames) {
        const int c = f.params.format == SANE_FRAME_RED ? 0 : f.params.format == SANE_FRAME_GREEN ? 1
                                                              : f.params.format == SANE_FRAME_BLUE  ? 2
                                                                                                    : -1;
        if (c >= 0 && f.params.pixels_per_line == w)
            planes[c] = &f;
    }
    if (!planes[0] || !planes[1] || !planes[2]) {
        error = QStringLiteral("The scanner sent a picture of a kind the program cannot read.");
        return {};
    }
    QImage img(w, h, QImage::Format_RGB888);
    if (img.isNull())
        return img;
    for (int y = 0; y < h; ++y) {
        uchar* out = img.scanLine(y);
        for (int c = 0; c < 3; ++c) {
            const size_t start = static_cast<size_t>(y) * static_cast<size_t>(planes[c]->params.bytes_per_line);
            for (int x = 0; x < w; ++x)
                out[3 * x + c] = sample(*planes[c], start, x, 1, 0);
        }
    }
    return img;
}

} // namespace

struct Scanner::Sane {
    bool initialised = false;
    SANE_Handle handle = nullptr;

    // The option of that name, when the device has it active and settable.
    int find(const char* name, const SANE_Option_Descriptor** out) const
    {
        SANE_Int count = 0;
        if (sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
            return -1;
        for (SANE_Int i = 1; i < count; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i);
            if (d && d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap) &&
                SANE_OPTION_IS_SETTABLE(d->cap)) {
                *out = d;
                return i;
            }
        }
        return -1;
    }

    // The nearest value the option allows, in its own unit.
    static double allowed(const SANE_Option_Descriptor* d, double v)
    {
        const bool fixed = d->type == SANE_TYPE_FIXED;
        const auto unfix = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : double(w); };
        if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
            const SANE_Range* r = d->constraint.range;
            v = std::clamp(v, unfix(r->min), unfix(r->max));
            const double q = unfix(r->quant);
            if (q > 0)
                v = unfix(r->min) + std::round((v - unfix(r->min)) / q) * q;
            return std::clamp(v, unfix(r->min), unfix(r->max));
        }
        if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list[0] > 0) {
            double best = unfix(d->constraint.word_list[1]);
            for (SANE_Word i = 1; i <= d->constraint.word_list[0]; ++i) {
                const double c = unfix(d->constraint.word_list[i]);
                if (std::abs(c - v) < std::abs(best - v))
                    best = c;
            }
            return best;
        }
        return v;
    }

    // Sets a number option to the nearest allowed value; the value taken.
    std::optional<double> setNumber(const char* name, double v)
    {
        const SANE_Option_Descriptor* d = nullptr;
        const int i = find(name, &d);
        if (i < 0 || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED) || d->size != sizeof(SANE_Word))
            return std::nullopt;
        v = allowed(d, v);
        SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : static_cast<SANE_Word>(std::lround(v));
        if (sane_control_option(handle, i, SANE_ACTION_SET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
            return std::nullopt;
        return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
    }

    std::optional<std::pair<double, double>> range(const char* name) const
    {
        const SANE_Option_Descriptor* d = nullptr;
        if (find(name, &d) < 0 || d->constraint_type != SANE_CONSTRAINT_RANGE)
            return std::nullopt;
        const bool fixed = d->type == SANE_TYPE_FIXED;
        const auto unfix = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : double(w); };
        return std::pair{unfix(d->constraint.range->min), unfix(d->constraint.range->max)};
    }

    SANE_Unit unit(const char* name) const
    {
        const SANE_Option_Descriptor* d = nullptr;
        return find(name, &d) < 0 ? SANE_UNIT_NONE : d->unit;
    }
};

#else

struct Scanner::Sane {};

#endif

Scanner::Scanner() : sane_(std::make_unique<Sane>()) {}

Scanner::~Scanner()
{
    Close();
#ifdef QUON_HAVE_SANE
    if (sane_->initialised)
        sane_exit();
#endif
}

bool Scanner::builtWithSane()
{
#ifdef QUON_HAVE_SANE
    return true;
#else
    return false;
#endif
}

void Scanner::runPumping(const std::function<void()>& job, const std::function<void()>& whileWaiting)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        job();
        done = true;
    });
    while (!done) {
        sys::pumpEvents();
        if (whileWaiting)
            whileWaiting();
        if (!done)
            QThread::msleep(5);
    }
    worker.join();
}

bool Scanner::ensureInit()
{
#ifdef QUON_HAVE_SANE
    if (sane_->initialised)
        return true;
    // A thread's exit loads the C library's unwinder the first time any
    // thread of the process exits through it, under the loader's lock.
    // Backends end their reader thread at the end of every page with an
    // asynchronous cancel: one that lands while the reader is exiting
    // through that first load leaves the loader locked for good, and the
    // program hangs when the scanner library closes. One throwaway thread
    // that exits the same way loads the unwinder before any backend runs.
    static std::once_flag unwinderLoaded;
    std::call_once(unwinderLoaded, [] {
        pthread_t t;
        if (pthread_create(&t, nullptr, [](void*) -> void* { pthread_exit(nullptr); }, nullptr) == 0)
            pthread_join(t, nullptr);
    });
    SANE_Status s = SANE_STATUS_GOOD;
    runPumping([&] { s = sane_init(nullptr, nullptr); });
    if (s != SANE_STATUS_GOOD) {
        error_ = QStringLiteral("The scanner library cannot start: %1.").arg(statusText(s));
        return false;
    }
    sane_->initialised = true;
    return true;
#else
    error_ = QStringLiteral("This program was built without scanner support.");
    return false;
#endif
}

std::vector<Scanner::Device> Scanner::devices()
{
    std::vector<Device> list;
    if (busy_ || !ensureInit())
        return list;
#ifdef QUON_HAVE_SANE
    busy_ = true;
    SANE_Status s = SANE_STATUS_GOOD;
    runPumping([&] {
        const SANE_Device** found = nullptr;
        s = sane_get_devices(&found, SANE_FALSE);
        if (s == SANE_STATUS_GOOD && found)
            for (int i = 0; found[i]; ++i) {
                const SANE_Device* d = found[i];
                list.push_back({QString::fromUtf8(d->name), QStringLiteral("%1 %2 (%3)")
                                                                .arg(QString::fromUtf8(d->vendor),
                                                                     QString::fromUtf8(d->model),
                                                                     QString::fromUtf8(d->name))});
            }
    });
    busy_ = false;
    if (s != SANE_STATUS_GOOD)
        error_ = QStringLiteral("The scanners cannot be listed: %1.").arg(statusText(s));
#endif
    return list;
}

bool Scanner::SelectSource(QWidget*)
{
    const std::vector<Device> found = devices();
    if (found.empty()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("No scanner was found.");
        return false;
    }
    QStringList items;
    int current = 0;
    for (size_t i = 0; i < found.size(); ++i) {
        items << found[i].description;
        if (found[i].name == chosen_)
            current = static_cast<int>(i);
    }
    const int i = Dialogs::current().chooseItem("Select Source", "Scanner:", items, current);
    if (i < 0)
        return false;
    chosen_ = found[static_cast<size_t>(i)].name;
    return true;
}

int Scanner::Open()
{
    error_.clear();
    cancelled_ = false;
    if (IsReady())
        return 1;
    QString name = chosen_;
    if (name.isEmpty()) {
        const std::vector<Device> found = devices();
        if (found.empty()) {
            if (error_.isEmpty())
                error_ = QStringLiteral("No scanner was found.");
            return 0;
        }
        name = found.front().name;
    }
#ifdef QUON_HAVE_SANE
    if (busy_ || !ensureInit())
        return 0;
    busy_ = true;
    SANE_Status s = SANE_STATUS_GOOD;
    SANE_Handle h = nullptr;
    const QByteArray device = name.toUtf8();
    runPumping([&] { s = sane_open(device.constData(), &h); });
    busy_ = false;
    if (s != SANE_STATUS_GOOD) {
        error_ = QStringLiteral("The scanner \"%1\" cannot be opened: %2.").arg(name, statusText(s));
        return 0;
    }
    sane_->handle = h;
    return 1;
#else
    return 0;
#endif
}

int Scanner::Setting(int)
{
#ifdef QUON_HAVE_SANE
    if (!IsReady())
        return 0;
    const SANE_Option_Descriptor* d = nullptr;
    const int i = sane_->find(SANE_NAME_SCAN_MODE, &d);
    if (i < 0 || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return 0;
    for (const SANE_String_Const* m = d->constraint.string_list; *m; ++m)
        if (std::strcmp(*m, SANE_VALUE_SCAN_MODE_GRAY) == 0) {
            std::vector<char> value(static_cast<size_t>(std::max<SANE_Int>(d->size, 8)), 0);
            std::strncpy(value.data(), *m, value.size() - 1);
            return sane_control_option(sane_->handle, i, SANE_ACTION_SET_VALUE, value.data(), nullptr) ==
                   SANE_STATUS_GOOD;
        }
#endif
    return 0;
}

int Scanner::SetBrightness(double brightness)
{
#ifdef QUON_HAVE_SANE
    if (!IsReady())
        return 0;
    const auto r = sane_->range(SANE_NAME_BRIGHTNESS);
    if (!r)
        return 0;
    const double t = (std::clamp(brightness, -1000.0, 1000.0) + 1000.0) / 2000.0;
    return sane_->setNumber(SANE_NAME_BRIGHTNESS, r->first + t * (r->second - r->first)).has_value();
#else
    (void)brightness;
    return 0;
#endif
}

int Scanner::SetRegion(double left, double top, double right, double bottom)
{
#ifdef QUON_HAVE_SANE
    if (!IsReady())
        return 0;
    // Edges given the wrong way round still name a region.
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const double dpi = resolution_ > 0 ? resolution_ : 300.0;
    const auto inUnit = [&](const char* name, double inches) {
        return sane_->unit(name) == SANE_UNIT_PIXEL ? inches * dpi : inches * MmPerInch;
    };
    // The top-left corner first: some devices refuse a bottom-right corner
    // above or left of it.
    bool ok = sane_->setNumber(SANE_NAME_SCAN_TL_X, inUnit(SANE_NAME_SCAN_TL_X, left)).has_value();
    ok = sane_->setNumber(SANE_NAME_SCAN_TL_Y, inUnit(SANE_NAME_SCAN_TL_Y, top)).has_value() && ok;
    ok = sane_->setNumber(SANE_NAME_SCAN_BR_X, inUnit(SANE_NAME_SCAN_BR_X, right)).has_value() && ok;
    ok = sane_->setNumber(SANE_NAME_SCAN_BR_Y, inUnit(SANE_NAME_SCAN_BR_Y, bottom)).has_value() && ok;
    return ok;
#else
    (void)left, (void)top, (void)right, (void)bottom;
    return 0;
#endif
}

int Scanner::ShowUI(int hide) { return hide == -1 ? 1 : 0; }

int Scanner::SetResolution(double dpi)
{
#ifdef QUON_HAVE_SANE
    if (!IsReady())
        return 0;
    const auto taken = sane_->setNumber(SANE_NAME_SCAN_RESOLUTION, std::max(1.0, dpi));
    resolution_ = taken ? *taken : dpi;
    return taken.has_value();
#else
    resolution_ = dpi;
    return 0;
#endif
}

int Scanner::IsReady() const
{
#ifdef QUON_HAVE_SANE
    return sane_->handle != nullptr;
#else
    return 0;
#endif
}

int Scanner::Acquire(QImage& page, const std::function<bool()>& cancelled)
{
    error_.clear();
    cancelled_ = false;
#ifdef QUON_HAVE_SANE
    if (!IsReady()) {
        error_ = QStringLiteral("The scanner is not open.");
        return 0;
    }
    if (busy_) {
        error_ = QStringLiteral("The scanner is busy.");
        return 0;
    }
    // A stop asked for before the page started (while the device opened)
    // starts no page at all.
    if (cancelled && cancelled()) {
        cancelled_ = true;
        error_ = QStringLiteral("Scanning was stopped.");
        return 0;
    }
    busy_ = true;
    SANE_Handle h = sane_->handle;
    std::vector<Frame> frames;
    SANE_Status failure = SANE_STATUS_GOOD;
    std::atomic<bool> stop{false};
    // The backend is called from one thread at a time: the reading thread
    // ends the page itself when it sees the stop between two calls. Some
    // backends end their reader thread from sane_cancel, and one sane_cancel
    // racing another call into the backend can leave a lock held for good
    // (the program then hangs when the scanner library closes). Only a read
    // that has waited a whole second after the stop is cancelled from here,
    // the one way to end it.
    std::mutex inBackend;
    std::atomic<bool> cancelSent{false};
    QElapsedTimer sinceStop;
    runPumping(
        [&] {
            const auto stopHere = [&] {
                std::lock_guard<std::mutex> lock(inBackend);
                if (!cancelSent.exchange(true))
                    sane_cancel(h);
            };
            for (;;) {
                Frame f;
                if (stop)
                    return stopHere();
                SANE_Status s = SANE_STATUS_GOOD;
                {
                    std::lock_guard<std::mutex> lock(inBackend);
                    s = sane_start(h);
                    if (s == SANE_STATUS_GOOD)
                        s = sane_get_parameters(h, &f.params);
                }
                if (s != SANE_STATUS_GOOD) {
                    failure = s;
                    return;
                }
                std::vector<SANE_Byte> buffer(64 * 1024);
                for (;;) {
                    // Not before the page's first bytes: a backend that ends
                    // its reader thread from sane_cancel can leave it dead
                    // holding a lock while that thread is still starting.
                    if (stop && !f.bytes.empty())
                        return stopHere();
                    SANE_Int n = 0;
                    {
                        std::lock_guard<std::mutex> lock(inBackend);
                        s = sane_read(h, buffer.data(), static_cast<SANE_Int>(buffer.size()), &n);
                    }
                    if (s == SANE_STATUS_EOF)
                        break;
                    if (s != SANE_STATUS_GOOD) {
                        failure = s;
                        return;
                    }
                    f.bytes.insert(f.bytes.end(), buffer.begin(), buffer.begin() + n);
                }
                const bool last = f.params.last_frame;
                frames.push_back(std::move(f));
                if (last || frames.size() >= 3)
                    return;
            }
        },
        [&] {
            if (!stop && cancelled && cancelled()) {
                stop = true;
                sinceStop.start();
            }
            if (stop && !cancelSent && sinceStop.elapsed() >= 1000) {
                // Still inside the backend a second after the stop: a read
                // waiting for the device, which only sane_cancel ends.
                std::unique_lock<std::mutex> lock(inBackend, std::try_to_lock);
                if (!lock.owns_lock() && !cancelSent.exchange(true))
                    sane_cancel(h);
            }
        });
    sane_cancel(h); // ends the page in every case
    busy_ = false;
    if (stop) {
        cancelled_ = true;
        error_ = QStringLiteral("Scanning was stopped.");
        return 0;
    }
    if (failure != SANE_STATUS_GOOD) {
        error_ = failure == SANE_STATUS_NO_DOCS ? QStringLiteral("The scanner has no page to scan.")
                                                : QStringLiteral("The scanner failed: %1.").arg(statusText(failure));
        return 0;
    }
    QImage picture = pictureOf(frames, error_);
    if (picture.isNull()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("Not enough memory for the scanned page.");
        return 0;
    }
    if (resolution_ > 0) {
        const int dpm = static_cast<int>(std::lround(resolution_ / MmPerInch * 1000.0));
        picture.setDotsPerMeterX(dpm);
        picture.setDotsPerMeterY(dpm);
    }
    page = std::move(picture);
    return 1;
#else
    (void)page, (void)cancelled;
    error_ = QStringLiteral("This program was built without scanner support.");
    return 0;
#endif
}

void Scanner::Close()
{
#ifdef QUON_HAVE_SANE
    if (sane_->handle && !busy_) {
        sane_close(sane_->handle);
        sane_->handle = nullptr;
    }
#endif
}

} // namespace quon
