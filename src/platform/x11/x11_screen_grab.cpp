#include "platform/x11/x11_screen_grab.h"

#include "colour/qt_colour.h"
#include "platform/grabbed_screen.h"
#include "platform/pixel_channels.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <QSysInfo>

#include <cstdlib>
#include <memory>

namespace tinctora::platform::x11 {

namespace {

const QString kRefused = QStringLiteral(
    "The screen could not be frozen because the X server refused to hand over its picture.");

using colour::toQRgb;

// Turns the server's image into RGB32 with the live read's conversion. The common layouts (32
// bits with 8-bit channels, 16 bits) go through a table or a copy; anything else pixel by pixel.
class Converter {
public:
    explicit Converter(Connection& connection) {
        Display* display = connection.display();
        const Visual* visual = DefaultVisual(display, connection.screen());
        trueColour_ = visual->c_class == TrueColor;
        masks_ = ChannelMasks{static_cast<std::uint32_t>(visual->red_mask),
                              static_cast<std::uint32_t>(visual->green_mask),
                              static_cast<std::uint32_t>(visual->blue_mask)};
        if (!trueColour_)
            readColourMap(display, DefaultColormap(display, connection.screen()),
                          visual->map_entries);
    }

    // True when the server's pixels already are QImage's RGB32 (the top byte unused), so the
    // picture can keep the server's buffer instead of a converted copy.
    bool isQtLayout(const XImage& source) const {
        const bool hostOrder =
            (source.byte_order == LSBFirst) == (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
        return trueColour_ && hostOrder && source.bits_per_pixel == 32 && masks_.red == 0xFF0000 &&
               masks_.green == 0xFF00 && masks_.blue == 0xFF && source.bytes_per_line % 4 == 0;
    }

    // A null image when there is no memory for it.
    QImage convert(XImage& source) const {
        const int width = source.width;
        const int height = source.height;
        QImage target(width, height, QImage::Format_RGB32);
        if (target.isNull())
            return target;
        const bool hostOrder =
            (source.byte_order == LSBFirst) == (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
        if (trueColour_ && hostOrder && source.bits_per_pixel == 16) {
            std::vector<QRgb> table(65536);
            for (std::uint32_t p = 0; p < table.size(); ++p)
                table[p] = toQRgb(colourFromPixel(p, masks_));
            for (int y = 0; y < height; ++y) {
                const auto* in =
                    reinterpret_cast<const std::uint16_t*>(source.data + y * source.bytes_per_line);
                auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
                for (int x = 0; x < width; ++x)
                    out[x] = table[in[x]];
            }
            return target;
        }
        for (int y = 0; y < height; ++y) {
            auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
            for (int x = 0; x < width; ++x)
                out[x] = colourOf(XGetPixel(&source, x, y));
        }
        return target;
    }

private:
    void readColourMap(Display* display, Colormap colourMap, int entries) {
        if (entries <= 0 || entries > 65536)
            return;
        std::vector<XColor> colours(static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i)
            colours[static_cast<std::size_t>(i)].pixel = static_cast<unsigned long>(i);
        XQueryColors(display, colourMap, colours.data(), entries);
        palette_.reserve(colours.size());
        for (const XColor& c : colours)
            palette_.push_back(toQRgb(colourFromColormapEntry(c.red, c.green, c.blue)));
    }

    QRgb colourOf(unsigned long pixel) const {
        if (trueColour_)
            return toQRgb(colourFromPixel(static_cast<std::uint32_t>(pixel), masks_));
        return pixel < palette_.size() ? palette_[pixel] : qRgb(0, 0, 0);
    }

    bool trueColour_ = true;
    ChannelMasks masks_;
    std::vector<QRgb> palette_;
};

// One shared-memory segment for one grab, attached to the server for as long as it lives.
class SharedSegment {
public:
    SharedSegment(Connection& connection, int width, int height) : connection_(connection) {
        Display* display = connection.display();
        const int screen = connection.screen();
        image_ =
            XShmCreateImage(display, DefaultVisual(display, screen),
                            static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, nullptr,
                            &info_, static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (!image_)
            return;
        info_.shmid = shmget(IPC_PRIVATE,
                             static_cast<std::size_t>(image_->bytes_per_line) *
                                 static_cast<std::size_t>(image_->height),
                             IPC_CREAT | 0600);
        if (info_.shmid < 0)
            return;
        void* address = shmat(info_.shmid, nullptr, 0);
        if (address == reinterpret_cast<void*>(-1)) {
            shmctl(info_.shmid, IPC_RMID, nullptr);
            info_.shmid = -1;
            return;
        }
        info_.shmaddr = image_->data = static_cast<char*>(address);
        info_.readOnly = False;
        const unsigned long errorsBefore = connection.errors().count();
        attached_ = XShmAttach(display, &info_) != 0;
        XSync(display, False);
        // A server on another machine cannot attach: the plain read takes over.
        attached_ = attached_ && connection.errors().count() == errorsBefore;
        // Marked for removal at once: the system frees it when both sides have let go, even if
        // the program ends before the grab does.
        shmctl(info_.shmid, IPC_RMID, nullptr);
    }

    ~SharedSegment() {
        if (attached_) {
            XShmDetach(connection_.display(), &info_);
            XSync(connection_.display(), False);
        }
        if (info_.shmaddr)
            shmdt(info_.shmaddr);
        if (image_) {
            image_->data = nullptr; // the segment, not Xlib's to free
            XDestroyImage(image_);
        }
    }
    SharedSegment(const SharedSegment&) = delete;
    SharedSegment& operator=(const SharedSegment&) = delete;

    bool ready() const { return attached_; }

    // The segment as the picture itself: the server lets go of it now, and it is freed when the
    // last copy of the picture goes (it was marked for removal when made).
    QImage adoptAsPicture() {
        XShmDetach(connection_.display(), &info_);
        XSync(connection_.display(), False);
        attached_ = false;
        QImage picture(
            reinterpret_cast<uchar*>(info_.shmaddr), image_->width, image_->height,
            image_->bytes_per_line, QImage::Format_RGB32, [](void* address) { shmdt(address); },
            info_.shmaddr);
        if (!picture.isNull())
            info_.shmaddr = nullptr;
        return picture;
    }

    XImage* read() {
        const unsigned long errorsBefore = connection_.errors().count();
        const bool read =
            XShmGetImage(connection_.display(), connection_.root(), image_, 0, 0, AllPlanes) != 0;
        XSync(connection_.display(), False);
        return read && connection_.errors().count() == errorsBefore ? image_ : nullptr;
    }

private:
    Connection& connection_;
    XShmSegmentInfo info_{};
    XImage* image_ = nullptr;
    bool attached_ = false;
};

// The monitors as the server reports them, in root window pixels; none from an old server.
std::vector<ScreenRect> monitorsOf(Connection& connection) {
    std::vector<ScreenRect> monitors;
    Display* display = connection.display();
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Monitors came with RandR 1.5; older servers show one screen.
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5))) {
        int count = 0;
        XRRMonitorInfo* info = XRRGetMonitors(display, connection.root(), True, &count);
        for (int i = 0; info && i < count; ++i)
            monitors.push_back({info[i].x, info[i].y, info[i].width, info[i].height});
        if (info)
            XRRFreeMonitors(info);
    }
    return monitors;
}

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

} // namespace

X11ScreenGrabber::X11ScreenGrabber(Connection& connection, Transfer preferred)
    : connection_(connection) {
    sharedMemoryOffered_ = preferred == Transfer::SharedMemoryWhenOffered &&
                           XShmQueryExtension(connection_.display()) != 0;
}

void X11ScreenGrabber::grabScreen(std::function<void(GrabOutcome)> done) {
    done(grab());
}

GrabOutcome X11ScreenGrabber::grab() {
    const std::optional<RootSize> before = connection_.rootSize();
    if (!before || before->width <= 0 || before->height <= 0)
        return GrabOutcome::failure(kRefused);
    const Converter converter(connection_);

    QImage picture;
    bool read = false;
    if (sharedMemoryOffered_) {
        SharedSegment segment(connection_, before->width, before->height);
        if (segment.ready()) {
            if (XImage* image = segment.read()) {
                read = true;
                picture = converter.isQtLayout(*image) ? segment.adoptAsPicture()
                                                       : converter.convert(*image);
            }
        }
    }
    if (!read) {
        const unsigned long errorsBefore = connection_.errors().count();
        XImage* image = XGetImage(connection_.display(), connection_.root(), 0, 0,
                                  static_cast<unsigned>(before->width),
                                  static_cast<unsigned>(before->height), AllPlanes, ZPixmap);
        if (!image) {
            // Most likely the screen shrank between asking its size and reading it.
            const std::optional<RootSize> now = connection_.rootSize();
            return GrabOutcome::failure(now && *now != *before ? screenResizedWhileRead()
                                                               : kRefused);
        }
        std::unique_ptr<XImage, ImageDeleter> owned(image);
        if (connection_.errors().count() != errorsBefore)
            return GrabOutcome::failure(kRefused);
        if (converter.isQtLayout(*image)) {
            // Xlib's buffer (from malloc) becomes the picture's.
            picture = QImage(
                reinterpret_cast<uchar*>(image->data), image->width, image->height,
                image->bytes_per_line, QImage::Format_RGB32, [](void* data) { std::free(data); },
                image->data);
            if (!picture.isNull())
                image->data = nullptr;
        } else {
            picture = converter.convert(*image);
        }
    }
    if (picture.isNull())
        return GrabOutcome::failure(noMemoryForScreenPicture());
    // A screen that grew meanwhile would leave part of it out of the picture.
    const std::optional<RootSize> after = connection_.rootSize();
    if (!after || *after != *before)
        return GrabOutcome::failure(screenResizedWhileRead());

    GrabOutcome outcome;
    outcome.status = decltype(outcome.status)::Grabbed;
    outcome.screen = frozenScreenOf(std::move(picture), {0, 0}, monitorsOf(connection_));
    return outcome;
}

} // namespace tinctora::platform::x11
