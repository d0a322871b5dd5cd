#!/usr/bin/env bash
# Fails when a source outside platform/ includes SDL, or one outside audio/
# includes OpenAL: those libraries stay behind their own folders.
top=${1:-.}
cd "$top" || exit 2
status=0
sdl=$(grep -rln --include='*.cpp' --include='*.h' --include='*.hpp' -E '#\s*include\s*[<"]SDL' \
      --exclude-dir=platform --exclude-dir='build*' --exclude-dir=.git . )
if [ -n "$sdl" ]; then
  echo "SDL included outside platform/:"; echo "$sdl"; status=1
fi
al=$(grep -rln --include='*.cpp' --include='*.h' --include='*.hpp' -E '#\s*include\s*[<"](AL/|al\.h|alc\.h)' \
      --exclude-dir=audio --exclude-dir='build*' --exclude-dir=.git . )
if [ -n "$al" ]; then
  echo "OpenAL included outside audio/:"; echo "$al"; status=1
fi
[ $status -eq 0 ] && echo "platform wall holds"
exit $status
