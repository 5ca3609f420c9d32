#include "host/frame_files.h"

#include "media/frame_output.h"
#include "media/image_io.h"
#include "media/output_files.h"

namespace qvxhost {

HostFrames ReadFrames(const QStringList& paths) {
    HostFrames frames;
    for (const QString& path : paths) {
        const kavrell::FrameList read = kavrell::ReadAnimation(path.toStdString(), "frame", kDefaultDelayMs);
        for (int32_t index = 0; index < read.Count(); ++index) {
            frames.append({kavrell::ToQImage(read.Frame(index)), read.DelayMs(index)});
        }
    }
    return frames;
}

void WriteFrames(const HostFrames& frames, const QString& path) {
    kavrell::FrameList list;
    for (const HostFrame& frame : frames) {
        list.SetImageDelayTime(list.AppendImage(kavrell::FromQImage(frame.image)), frame.delayMs);
    }
    const std::string target = path.toStdString();
    const kavrell::OutputKind kind = kavrell::OutputKindFor(target);
    kavrell::CheckOutputLocation(target, kind);
    kavrell::WriteFrames(list, target, kind);
}

}  // namespace qvxhost
