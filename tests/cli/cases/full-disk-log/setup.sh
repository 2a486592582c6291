ln -s /dev/full "$home/runner.log"
